// SPDX-License-Identifier: GPL-3.0-or-later
// The page against its floor, side by side in one headless Chromium: each round opens the
// page and the floor from file://, in turn and each in a fresh context, and takes three
// moments from the start of navigation: the first paint with the window's texts, and (for the
// page) the moment a click gives its result at once, the module ready, and the moment the
// answer to a click made at the first paint has been drawn. The floor is the same file with
// its scripts removed; its log box already holds the help text, and its first paint is the
// floor of all three. Given a second page (the same page before a change), each round
// opens both pages and their floors, so that both share the machine's noise. Then it breaks a
// 2,000-character text in each page and times it until the results are laid out, and until
// the next frame has been drawn, as a Caesar text and, where the page has the sections,
// encrypted with a key word and 1,000 of its letters substituted with a mixed alphabet; and does the same for checking an exercise's answer, and
// times laying out a teacher's sheet of 40 variants; and, in a page that has the class's
// table, tabling 200 handed-in files (a class of 40 and five variants, written by the page's
// own module beside it) from the moment they are picked until the table is laid out.
// Usage: node page_load.js PAGE.html [BASE.html] [ROUNDS, 150 unless given: a page's paint
// varies by tens of milliseconds from load to load]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { chromium } = require("playwright-core");
const { bindLesson, startLesson } = require(path.join(__dirname, "..", "web", "lesson_binding.js"));

const args = process.argv.slice(2);
const roundsText = args.length > 1 && /^\d+$/.test(args[args.length - 1]) ? args.pop() : "150";
const rounds = Number(roundsText);
if (args.length < 1 || args.length > 2 || rounds < 1) {
    console.error("usage: node page_load.js PAGE.html [BASE.html] [ROUNDS]");
    process.exit(2);
}

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// Milliseconds from the start of navigation to the first contentful paint and to the moment
// the page marks its module ready (the floor has none: its paint stands for both). The mark
// is the attribute the page sets, seen by an observer installed before the page's own script.
async function moments(browser, file) {
    const context = await browser.newContext({ viewport: { width: 600, height: 450 } });
    const page = await context.newPage();
    await page.addInitScript(() => {
        new MutationObserver((changes, observer) => {
            if (document.documentElement.dataset.ready === "true") {
                window.readyAt = performance.now();
                observer.disconnect();
            }
        }).observe(document, { attributes: true, subtree: true, attributeFilter: ["data-ready"] });
        // A student who clicks "Изчисли" as soon as the window shows: the moment its answer
        // has been drawn, the end of the frame after the answer is in its box.
        new PerformanceObserver((entries, observer) => {
            if (entries.getEntriesByName("first-contentful-paint").length === 0) return;
            observer.disconnect();
            if (document.getElementById("module") === null) return;
            // The answer's box, watched where the page writes to it.
            const box = document.getElementById("Text2_2");
            const { get, set } = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, "value");
            Object.defineProperty(box, "value", { get, set(text) {
                set.call(this, text);
                if (text === "" || window.answeredAt !== undefined) return;
                window.answeredAt = null;
                requestAnimationFrame(() => setTimeout(() => { window.answeredAt = performance.now(); }));
            } });
            document.getElementById("Command1_0").click();
        }).observe({ type: "paint", buffered: true });
    });
    await page.goto("file://" + file);
    // A page whose module never starts fails the run rather than holding it for ever.
    const times = await page.evaluate(() => new Promise((resolve, reject) => {
        const scripted = document.getElementById("module") !== null;
        (function poll() {
            const [painted] = performance.getEntriesByName("first-contentful-paint").map(entry => entry.startTime);
            const [ready, answered] = scripted ? [window.readyAt, window.answeredAt] : [painted, painted];
            if (painted !== undefined && ready !== undefined && answered) resolve({ painted, ready, answered });
            else if (performance.now() > 30000) reject(new Error("the page was not ready in 30 s"));
            else setTimeout(poll, 5);
        })();
    }));
    await context.close();
    return times;
}

// The page opened in a fresh context at the lesson named, its module ready.
async function openReady(browser, file, lesson = "") {
    const context = await browser.newContext({ viewport: { width: 600, height: 450 } });
    const page = await context.newPage();
    await page.goto(`file://${file}#${lesson}`);
    await page.waitForSelector("html[data-ready=true]");
    return { context, page };
}

// Another lesson shown, where the page shows one at a time.
function showLesson(page, lesson) {
    return page.evaluate(name => { location.hash = name; }, lesson);
}

// Milliseconds from a click on the button until the section is laid out (style and layout
// forced, so that this time holds the frame's main work), and until the next frame is drawn.
function clickTimes(page, button, section) {
    return page.evaluate(([button, section]) => new Promise(resolve => {
        const start = performance.now();
        document.getElementById(button).click();
        document.getElementById(section).getBoundingClientRect();
        const laidOut = performance.now();
        requestAnimationFrame(() => setTimeout(() => resolve([laidOut - start, performance.now() - start])));
    }), [button, section]);
}

async function breakingTime(browser, file) {
    const { context, page } = await openReady(browser, file, "breaking");
    const english = "Meet me by the old harbour wall at noon and bring the letters you found. ";
    const text = english.repeat(40).slice(0, 2000);
    const times = [];
    for (let round = 0; round < 10; ++round) {
        await page.fill("#ciphertext", text.slice(round) + text.slice(0, round));
        times.push(await clickTimes(page, "break", "breaking"));
    }
    // The same text encrypted with a key word, in a page that breaks one.
    const keyWordTimes = [];
    await showLesson(page, "vigenere");
    for (let round = 0; round < 10 && await page.$("#vig_break") !== null; ++round) {
        const turned = text.slice(round) + text.slice(0, round);
        let at = 0;
        await page.fill("#vig_ciphertext", turned.replace(/[a-z]/gi, c => {
            const shifted = (c.toUpperCase().charCodeAt(0) - 65 + "LEMON".charCodeAt(at++ % 5) - 65) % 26;
            return String.fromCharCode(65 + shifted);
        }));
        keyWordTimes.push(await clickTimes(page, "vig_break", "vigenere"));
    }
    // And 1,000 of its letters substituted with a mixed alphabet, in a page that breaks one.
    const substitutionTimes = [];
    await showLesson(page, "substitution");
    const mixed = "ZEBRACDFGHIJKLMNOPQSTUVWXY";
    for (let round = 0; round < 10 && await page.$("#sub_break") !== null; ++round) {
        let letters = 0;
        let end = round;
        while (letters < 1000) letters += /[a-z]/i.test(text[end++ % text.length]) ? 1 : 0;
        const turned = (text.repeat(2) + text).slice(round, end);
        await page.fill("#sub_ciphertext", turned.replace(/[a-z]/gi, c => mixed[c.toUpperCase().charCodeAt(0) - 65]));
        substitutionTimes.push(await clickTimes(page, "sub_break", "substitution"));
    }
    await context.close();
    const medians = list => list.length === 0 ? null
        : { laidOut: median(list.map(t => t[0])), frame: median(list.map(t => t[1])) };
    return { laidOut: median(times.map(t => t[0])), frame: median(times.map(t => t[1])),
        keyWord: medians(keyWordTimes), substitution: medians(substitutionTimes) };
}

// A check of a 44-letter answer until its marks are laid out and the next frame drawn; then a
// teacher's sheet of 40 variants of 20 exercises laid out as for paper (print media).
async function exerciseTimes(browser, file) {
    const { context, page } = await openReady(browser, file, "exercises");
    const checks = [];
    for (let round = 0; round < 10; ++round) {
        await page.fill("#exercise_answer", "hxdljwunjmjqxabncxfjcnakdchxdljwcvjtnrcmarw".slice(round));
        checks.push(await clickTimes(page, "check_answer", "exercises"));
    }
    await page.evaluate(() => { window.print = () => {}; });
    await showLesson(page, "teacher");
    await page.fill("#sheet_per", "20");
    await page.fill("#sheet_variants", "40");
    await page.check("#sheet_kinds input[value=findKey]");
    // On paper the rest of the page is hidden, so the settings are typed before.
    await page.emulateMedia({ media: "print" });
    const sheets = [];
    for (let round = 0; round < 5; ++round) {
        sheets.push(await page.evaluate(first => {
            document.getElementById("sheet_first").value = String(first);
            const start = performance.now();
            document.getElementById("print_sheet").click();
            document.getElementById("print_sheets").getBoundingClientRect();
            return performance.now() - start;
        }, 1 + round * 800));
    }
    await context.close();
    return { laidOut: median(checks.map(t => t[0])), frame: median(checks.map(t => t[1])), sheet: median(sheets) };
}

// 200 files handed in for one assignment of 20 exercises: five classes of 40, the variants
// 1 to 5 in turn, as a class answers: most exercises right, some with a letter wrong, some
// with every letter wrong, some not done. Written by the module beside the page; a second
// instance of it gives the right answers.
async function handedInFiles(file, folder) {
    const modulePath = path.join(path.dirname(file), "web", "lesson_module.js");
    const lesson = bindLesson(await startLesson(modulePath));
    const answers = bindLesson(await startLesson(modulePath));
    const { code } = lesson.call("assignmentCode", { kinds: ["encrypt", "decrypt", "findKey"], perSheet: "20",
        variants: "5", first: "1", alphabet: "latin" });
    const files = [];
    for (let n = 0; n < 200; ++n) {
        lesson.call("forget");
        let state = lesson.call("assignment", { code, variant: String(n % 5 + 1) });
        for (let e = 0; e < 20; ++e) {
            answers.call("exercise", { kind: state.kind, number: String(state.number), alphabet: "latin" });
            const [, key, right] = answers.call("reveal").answer.match(/^\S+ (?:\S+ (\d+): )?([A-Z]+)/);
            const way = (n * 7 + e * 3) % 10;
            const answer = way < 6 ? right : way < 8 ? "Q" + right.slice(1) : way < 9 ? right.split("").reverse().join("") : "";
            if (answer !== "") lesson.call("checkAnswer", { answer, key: key || "", now: Date.UTC(2026, 11, 10, 8, 0, e) });
            state = lesson.call("nextAssigned");
        }
        const handed = lesson.call("handIn", { name: `Ученик ${n}`, className: `10${"абвгд"[n % 5]}`,
            number: String(Math.floor(n / 5) + 1), now: Date.UTC(2026, 11, 10, 9) });
        files.push(path.join(folder, `${n}-${handed.fileName}`));
        fs.writeFileSync(files[files.length - 1], handed.text);
    }
    return files;
}

// Milliseconds from the files picked to the table laid out, median of 5, each in a fresh page.
async function tablingTime(browser, file, files) {
    const times = [];
    for (let round = 0; round < 5; ++round) {
        const { context, page } = await openReady(browser, file, "teacher");
        await page.evaluate(() => {
            document.getElementById("results_files").addEventListener("change", () => { window.pickedAt = performance.now(); }, true);
            new MutationObserver(() => {
                document.getElementById("results_table").getBoundingClientRect();
                window.tabledAt = performance.now();
            }).observe(document.getElementById("results_summary"), { childList: true });
        });
        await page.setInputFiles("#results_files", files);
        await page.waitForFunction(() => window.tabledAt !== undefined, null, { timeout: 60000 });
        times.push(await page.evaluate(() => window.tabledAt - window.pickedAt));
        const rows = await page.$$eval("#results_table tbody tr", trs => trs.length);
        if (rows !== 200) throw new Error(`the table has ${rows} rows of 200 files`);
        await context.close();
    }
    return median(times);
}

// Its scripts removed, each with the blank before it, in a file of its own; pages whose
// floors are the same share one, so that both are measured against the same loads.
function floorOf(page, folder, floors) {
    const text = fs.readFileSync(page, "utf8").replace(/\s*<script[^>]*>[\s\S]*?<\/script>/g, "");
    if (!floors.has(text)) {
        const file = path.join(folder, `floor-${floors.size}.html`);
        fs.writeFileSync(file, text);
        floors.set(text, file);
    }
    return floors.get(text);
}

const MOMENTS = [["painted", "first paint with the window's texts"],
    ["ready", "a click answered at once (module ready)"],
    ["answered", "a click at the first paint answered and drawn"]];

async function main() {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), "page-floor-"));
    const floors = new Map();
    const pages = args.map((file, index) => {
        const page = path.resolve(file);
        return { name: `${index === 0 ? "page" : "base"} (${file})`, file: page, floor: floorOf(page, folder, floors) };
    });
    // Each file once in a round, pages and floors alike.
    const files = [...pages.map(p => p.file), ...floors.values()];
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        // Frames drawn as soon as they are ready, not at a display's refresh, so that the first
        // paint is not rounded up to the next of 60 a second.
        args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--no-first-run", "--disable-sync",
            "--disable-frame-rate-limit", "--disable-gpu-vsync"],
    });
    try {
        // One warm-up of each, then rounds in which each file comes at each place in turn.
        for (const file of files) await moments(browser, file);
        const rows = [];
        for (let round = 0; round < rounds; ++round) {
            const times = new Map();
            for (let i = 0; i < files.length; ++i) {
                const file = files[(round + i) % files.length];
                times.set(file, await moments(browser, file));
            }
            rows.push(pages.map(p => ({ page: times.get(p.file), floor: times.get(p.floor).painted })));
        }
        pages.forEach((page, index) => {
            const own = rows.map(row => row[index]);
            console.log(`${page.name}: ${fs.statSync(page.file).size} bytes`);
            for (const [moment, name] of MOMENTS) {
                console.log(`  ${name}: ${median(own.map(r => r.page[moment])).toFixed(1)} ms, floor ` +
                    `${median(own.map(r => r.floor)).toFixed(1)} ms: ratio ` +
                    `${median(own.map(r => r.page[moment] / r.floor)).toFixed(2)}`);
            }
        });
        if (pages.length === 2) {
            const size = fs.statSync(pages[0].file).size / fs.statSync(pages[1].file).size;
            console.log("page against base, in the same rounds: " + MOMENTS.map(([moment, name]) =>
                `${name} ${median(rows.map(([page, base]) => page.page[moment] / base.page[moment])).toFixed(2)}`)
                .join("; ") + `; size ${size.toFixed(2)}`);
        }
        console.log(`(medians of ${rounds} rounds)`);
        for (const page of pages) {
            const breaking = await breakingTime(browser, page.file);
            console.log(`${page.name}: breaking 2,000 characters: ${breaking.laidOut.toFixed(1)} ms from the click to ` +
                `the results laid out, ${breaking.frame.toFixed(1)} ms to the end of the next frame, which ` +
                "starts up to 16.7 ms after the click (median of 10)");
            if (breaking.keyWord !== null) {
                console.log(`${page.name}: breaking 2,000 characters encrypted with a key word: ` +
                    `${breaking.keyWord.laidOut.toFixed(1)} ms from the click to the results laid out, ` +
                    `${breaking.keyWord.frame.toFixed(1)} ms to the end of the next frame (median of 10)`);
            }
            if (breaking.substitution !== null) {
                console.log(`${page.name}: breaking 1,000 letters substituted with a mixed alphabet: ` +
                    `${breaking.substitution.laidOut.toFixed(1)} ms from the click to the results laid out, ` +
                    `${breaking.substitution.frame.toFixed(1)} ms to the end of the next frame (median of 10), ` +
                    `${(breaking.substitution.frame / breaking.frame).toFixed(2)} times breaking 2,000 characters as a Caesar text`);
            }
            const exercises = await exerciseTimes(browser, page.file);
            if (fs.readFileSync(page.file, "utf8").includes('id="results_files"')) {
                const files = await handedInFiles(page.file, folder);
                const tabling = await tablingTime(browser, page.file, files);
                console.log(`${page.name}: tabling 200 handed-in files of 20 exercises: ${tabling.toFixed(1)} ms from the ` +
                    `files picked to the table laid out, ${(tabling / 200).toFixed(2)} ms a file (median of 5)`);
            }
            console.log(`${page.name}: checking a 44-letter answer: ${exercises.laidOut.toFixed(1)} ms to the marks laid out, ` +
                `${exercises.frame.toFixed(1)} ms to the end of the next frame (median of 10); a sheet of 40 variants ` +
                `of 20 exercises laid out for paper: ${exercises.sheet.toFixed(1)} ms (median of 5)`);
        }
    } finally {
        await browser.close();
        fs.rmSync(folder, { recursive: true });
    }
}
main().catch(error => { console.error(error); process.exit(1); });
