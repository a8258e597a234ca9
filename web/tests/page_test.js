// SPDX-License-Identifier: GPL-3.0-or-later
// The page in Debian's Chromium, headless, opened from file:// as a student opens a shared
// file: no request leaves it; the texts, the caps, the tab order, Calculate, Clear and the
// overflow warning work from the keyboard and the mouse; every field shows what the same
// clicks give natively; a click before the module is ready is kept; the breaking section
// breaks a text, marks and chooses rows and takes the window's result; and Chromium's
// accessibility tree names each control and hears each outcome. Saves screenshots of the
// window as it starts, of the whole page once a text is broken, and, beside them, of the
// exercises (page-exercises.png), a mistake named (page-diagnosis.png), the window's arithmetic
// in boxes (page-calculation.png), a substitution broken (page-substitution.png) and a printed
// sheet's first page (page-sheet.png).
// Usage: node page_test.js PAGE.html lesson_replay SCREENSHOT.png CAPTION PHRASE_CAP OFFSET_CAP
//        SECTION_SCREENSHOT.png
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { chromium } = require("playwright-core");
const { bindLesson } = require(path.join(__dirname, "..", "lesson_binding.js"));

const [pagePath, replay, screenshot, caption, phraseCapText, offsetCapText, sectionScreenshot] =
    process.argv.slice(2);
const phraseCap = Number(phraseCapText);
const offsetCap = Number(offsetCapText);
const LOG_NAME = "Обяснение и протокол на шифрирането";

function check(condition, message) {
    if (!condition) throw new Error(message);
}

// A page whose module's WebAssembly is made only once the test lets it, by releaseModule().
// A lesson reached by its link in "Уроци": shown alone, with the link marked as the one shown.
async function showLesson(page, name) {
    await page.click(`#lessons a[href="#${name}"]`);
    await page.waitForFunction(shown => !document.getElementById(shown).hidden &&
        document.querySelector("#lessons [aria-current=page]").hash === "#" + shown, name);
}

async function withModuleHeld(context) {
    const held = await context.newPage();
    await held.addInitScript(() => {
        const instantiate = WebAssembly.instantiate.bind(WebAssembly);
        const ready = new Promise(resolve => { window.releaseModule = resolve; });
        WebAssembly.instantiate = (...args) => ready.then(() => instantiate(...args));
    });
    return held;
}

// What the same clicks leave in the fields and the log, natively.
function native(clicks) {
    const writer = bindLesson(null);
    const input = clicks.map(([index, phrase, offset]) => writer.request("click", { index, phrase, offset }))
        .join("\n") + "\n";
    return JSON.parse(execFileSync(replay, { input }).toString().trim().split("\n").pop());
}

async function main() {
    const browser = await chromium.launch({
        executablePath: "/usr/bin/chromium",
        args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
            "--disable-component-update", "--no-first-run", "--disable-sync"],
    });
    try {
        const context = await browser.newContext({ viewport: { width: 600, height: 450 } });
        const page = await context.newPage();
        const requests = [];
        page.on("request", request => requests.push(request.url()));
        const errors = [];
        page.on("pageerror", error => errors.push(String(error)));
        const opened = Date.now();
        await page.goto("file://" + path.resolve(pagePath));
        await page.waitForSelector("html[data-ready=true]");
        const usable = Date.now() - opened;
        await page.locator("#window").screenshot({ path: screenshot });
        const away = requests.filter(url => !url.startsWith("file://") && !url.startsWith("data:"));
        check(away.length === 0, `the page asked the network for ${away}`);
        check(errors.length === 0, `the page failed: ${errors}`);

        const value = id => page.$eval("#" + id, box => box.value);
        const focused = () => page.evaluate(() => document.activeElement.id);
        // The opening texts, the help text among them, and the focus in the log.
        check(await value("Text2_0") === "abcdefghijkl" && await value("Text2_1") === "3" &&
            await value("Text2_2") === "", "the opening texts are wrong");
        // Clear leaves the log as it opened: the help text, as the native build has it.
        check(await value("Text1_0") === native([[1, "", ""]]).log, "the log does not open on the help text");
        check(await focused() === "Text1_0", "the focus does not start in the log");
        check(await page.title() === caption, `the caption is ${await page.title()}`);

        // Tab visits the controls in the window's order, then the lessons; a lesson's link
        // shows it alone at an address of its own, with the focus on its heading, and back
        // shows the window again.
        const order = ["Text2_0", "Text2_1", "Command1_0", "Command1_1", "Picture1", "Text2_2",
            "#caesar", "#cyrillic", "#breaking", "#substitution", "#vigenere", "#exercises", "#teacher"];
        const focusedOrLink = () => page.evaluate(() => document.activeElement.id || document.activeElement.getAttribute("href"));
        for (const id of order) {
            await page.keyboard.press("Tab");
            check(await focusedOrLink() === id, `Tab went to ${await focusedOrLink()}, not ${id}`);
        }
        const shownViews = () => page.$$eval("main > .view", views => views.filter(v => !v.hidden).map(v => v.id).join());
        check(await shownViews() === "caesar", `the page opens on ${await shownViews()}`);
        await page.focus("#lessons a[href='#cyrillic']");
        await page.keyboard.press("Enter");
        await page.waitForFunction(() => document.activeElement.id === "cyrillic_title");
        check(await shownViews() === "cyrillic" && page.url().endsWith("#cyrillic"), `the link shows ${await shownViews()}`);
        for (const id of ["cyr_phrase", "cyr_key", "cyr_calculate"]) {
            await page.keyboard.press("Tab");
            check(await focusedOrLink() === id, `Tab went to ${await focusedOrLink()}, not ${id}`);
        }
        await page.keyboard.press("Shift+Tab");
        const outline = await page.$eval("#cyr_key", box => getComputedStyle(box).outlineStyle);
        check(outline !== "none", "the focus is not visible");
        for (const [move, view, heading] of [["reload", "cyrillic", "body"], ["goBack", "caesar", "caesar_title"],
            ["goForward", "cyrillic", "cyrillic_title"]]) {
            await page[move]();
            await page.waitForFunction(([view, heading]) => document.documentElement.dataset.ready === "true" &&
                !document.getElementById(view).hidden && (document.activeElement.id || "body") === heading, [view, heading]);
        }
        await showLesson(page, "caesar");

        // The caps.
        await page.click("#Text2_0");
        await page.keyboard.press("Control+A");
        await page.keyboard.type("A".repeat(phraseCap + 10));
        check((await value("Text2_0")).length === phraseCap, `the phrase does not stop at ${phraseCap} characters`);
        await page.click("#Text2_1");
        await page.keyboard.press("Control+A");
        await page.keyboard.type("1".repeat(offsetCap + 5));
        check((await value("Text2_1")).length === offsetCap, `the offset does not stop at ${offsetCap} characters`);

        const cdp = await context.newCDPSession(page);
        const tree = async () => (await cdp.send("Accessibility.getFullAXTree")).nodes;
        const isLive = node => (node.properties || []).some(p => p.name === "live" && p.value.value === "polite");
        // What the live region says, as Chromium hands it to a screen reader.
        const announced = async () => {
            await page.waitForFunction(() => document.getElementById("announcement").textContent !== "");
            const nodes = await tree();
            const live = nodes.find(isLive);
            return nodes.filter(node => (live.childIds || []).includes(node.nodeId))
                .map(node => node.name ? node.name.value : "").join("");
        };
        // The controls of the lesson shown, by role and name.
        const namedInTree = async expected => (await tree().then(nodes => expected.filter(([role, name]) => !nodes.some(node =>
            node.role?.value === role && node.name?.value.trim() === name)))).forEach(([role, name]) => check(false, `no ${role} named ${name}`));
        async function typeAndCalculate(phrase, offset) {
            await showLesson(page, "caesar");
            for (const [id, text] of [["Text2_0", phrase], ["Text2_1", offset]]) {
                await page.click("#" + id);
                await page.keyboard.press("Control+A");
                await page.keyboard.press("Backspace");
                await page.keyboard.type(text);
            }
            await page.focus("#Command1_0");
            await page.keyboard.press("Space");
        }

        // The worked example, line by line, then a phrase as long as the cap against the native run.
        await typeAndCalculate("ABCYZ", "3");
        check(await value("Text2_2") === "DEFBC", "ABCYZ with 3 is not DEFBC");
        const workedExample = ["Дължина на въведената фраза и отместване: 5:3",
            "Последователно извеждам изчислените ASCII кодове:", "A + 3 = 65 + 3 = 68 -> D",
            "B + 3 = 66 + 3 = 69 -> E", "C + 3 = 67 + 3 = 70 -> F", "Y + 3 = 89 + 3 = 66 -> B",
            "Z + 3 = 90 + 3 = 67 -> C", "Извеждам обратно кодираната фраза:", "68 - 3 = 65 -> A",
            "69 - 3 = 66 -> B", "70 - 3 = 67 -> C", "66 + 23 = 89 -> Y", "67 + 23 = 90 -> Z", ""];
        check(await value("Text1_0") === workedExample.join("\n"), "the worked example's trace is wrong");
        check(await announced() === "Шифриран: D, E, F, B, C", "Calculate was not announced");
        const start = await page.$eval("#Text1_0", box => [box.selectionStart, box.scrollTop]);
        check(start[0] === 0 && start[1] === 0, "the log does not show its start");
        const long = "The quick brown fox jumps over the lazy dog, twice!";
        await typeAndCalculate(long.slice(0, phraseCap), "-29");
        const expected = native([[0, "ABCYZ", "3"], [0, long.slice(0, phraseCap), "-29"]]);
        for (const [id, key] of [["Text2_0", "phrase"], ["Text2_1", "offset"], ["Text2_2", "result"], ["Text1_0", "log"]]) {
            check(await value(id) === expected[key], `${key} differs from the native run`);
        }

        // Chromium's accessibility tree: names and roles, and the live region.
        const nodes = await tree();
        const named = (role, name) => nodes.some(node => node.role && node.role.value === role &&
            node.name && node.name.value === name);
        for (const [role, name] of [["textbox", "Текст"], ["textbox", "Отместване"],
            ["textbox", "Шифриран"], ["textbox", LOG_NAME], ["button", "Изчисли"],
            ["button", "Изчисти"], ["image", "Шифров диск"]]) {
            check(named(role, name), `no ${role} named ${name} in the accessibility tree`);
        }
        check(nodes.some(isLive), "no polite live region in the accessibility tree");
        check(await page.evaluate(() => document.documentElement.lang) === "bg", "the page is not Bulgarian");

        // Clear, by mouse: the three fields empty, the log kept.
        const logBefore = await value("Text1_0");
        await page.click("#Command1_1");
        for (const id of ["Text2_0", "Text2_1", "Text2_2"]) check(await value(id) === "", `Clear left ${id}`);
        check(await value("Text1_0") === logBefore, "Clear changed the log");
        check(await announced() === "Полетата Текст, Отместване и Шифриран са празни.", "Clear was not announced");

        // An offset past 32 bits: the warning, closed by Enter, and the page still works.
        await typeAndCalculate("ABC", "99999999999");
        await page.waitForSelector("#warning[open]");
        const dialog = (await tree()).find(node => node.role && node.role.value === "alertdialog");
        check(dialog && dialog.name.value === "Твърде голямо отместване", "the warning has no accessible name");
        check((await page.$eval("#warning_text", node => node.textContent)).startsWith("Отместването „99999999999“ е твърде голямо."),
            "the warning says something else");
        await page.keyboard.press("Enter");
        await page.waitForSelector("#warning", { state: "hidden" });
        check(await value("Text2_1") === "99999999999", "the typed offset was lost");
        check(await value("Text2_2") === "", "a result is left after the warning");
        await typeAndCalculate("ABC", "1");
        check(await value("Text2_2") === "BCD", "the page does not work after the warning");
        check(await page.$eval("#warning_ok", button => button.textContent) === "Добре", "the warning's button is not Добре");

        // The Cyrillic section: result and trace as the native build gives them, and said.
        await showLesson(page, "cyrillic");
        await namedInTree([["textbox", "Обяснение и протокол на шифрирането на кирилица:"],
            ["region", "Шифърът на Цезар на кирилица"]]);
        await page.fill("#cyr_phrase", "Здравей, свят!");
        await page.fill("#cyr_key", "3");
        await page.press("#cyr_key", "Enter");
        const text = id => page.$eval("#" + id, node => node.textContent);
        // A picture for the README, 600 pixels wide, from one element's top to another's bottom
        // with a margin above and below.
        const shotBetween = async (first, last, name, above, below) => {
            await page.setViewportSize({ width: 600, height: 3000 });
            const [top, bottom] = await page.evaluate(([first, last]) => [
                document.getElementById(first).getBoundingClientRect().top + window.scrollY,
                document.getElementById(last).getBoundingClientRect().bottom + window.scrollY], [first, last]);
            await page.screenshot({ path: path.join(path.dirname(screenshot), name), fullPage: true,
                clip: { x: 0, y: top - above, width: 600, height: bottom - top + above + below } });
        };
        const cyrillic = JSON.parse(execFileSync(replay,
            { input: bindLesson(null).request("cyrillic", { phrase: "Здравей, свят!", key: "3" }) + "\n" }).toString());
        await page.waitForFunction(() => document.getElementById("cyr_result").value !== "");
        check(await value("cyr_result") === "КЗУГЕИМФЕВХ" && cyrillic.result === "КЗУГЕИМФЕВХ",
            `Здравей, свят! with 3 gives ${await value("cyr_result")}`);
        const cyrillicTrace = await value("cyr_trace");
        check(cyrillicTrace === cyrillic.trace && cyrillicTrace.includes("\nЯ + 3 = 29 + 3 = 32 - 30 = 2 -> В\n"),
            "the Cyrillic trace is wrong");
        check(await announced() === "Шифриран: К, З, У, гъ, Е, И, М, Ф, Е, В, Х", "the Cyrillic result was not announced");
        check(await page.$$eval("#cyrillic_strip li", items => items.map(li => li.textContent).join(" ")) ===
            Array.from("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ", (letter, i) => letter + i).join(" "), "the strip is wrong");
        await page.setViewportSize({ width: 600, height: 1400 });
        const cyrillicBox = await page.$eval("#cyrillic", box => box.getBoundingClientRect().toJSON());
        await page.screenshot({ path: path.join(path.dirname(screenshot), "page-cyrillic.png"),
            clip: { x: cyrillicBox.x, y: cyrillicBox.y, width: cyrillicBox.width, height: cyrillicBox.height } });
        await page.setViewportSize({ width: 600, height: 450 });

        // Breaking: encrypt in the window, take the result into the section, break it.
        await typeAndCalculate("Meet me at noon by the old harbour wall", "3");
        await showLesson(page, "breaking");
        await page.click("#take_result");
        check(await value("ciphertext") === await value("Text2_2"), "the result was not taken into the section");
        await page.focus("#break");
        await page.keyboard.press("Space");
        const rows = () => page.$$eval("#keys tbody tr", trs => trs.map(tr => ({
            text: tr.textContent, chosen: tr.querySelector("input").checked })));
        let shown = await rows();
        check(shown.length === 25, `${shown.length} rows of offsets`);
        check(shown[0].chosen && shown[0].text.includes("най-вероятно") &&
            shown[0].text.includes("MEETMEATNOONBYTHEOLDHARBOURWALL"), `the likeliest row is ${shown[0].text}`);
        check(shown.filter(row => row.chosen).length === 1, "more than one row is chosen");
        const traceLines = async () => (await page.$eval("#break_trace", box => box.textContent)).split("\n");
        let trace = await traceLines();
        check(trace[0] === "Дължина на шифрирания текст и отместване: 31:3" && trace[1] === "P - 3 = 80 - 3 = 77 -> M",
            `the decryption starts ${trace.slice(0, 2)}`);
        check(await announced() === "Най-вероятно отместване: 3. Текст: " +
            [..."MEETMEATNOONBYTHEOLDHARBOURWAL"].join(", ") + " и още 1 буква",
            "the outcome of breaking was not announced");
        // Another row by keyboard, then by mouse: its trace shows.
        await page.focus("#keys input:checked");
        await page.keyboard.press("ArrowDown");
        shown = await rows();
        check(shown[1].chosen && !shown[0].chosen, "the arrow key did not choose the next row");
        trace = await traceLines();
        const second = Number((await page.$eval("#keys tbody tr:nth-child(2) label", l => l.textContent)).match(/\d+$/)[0]);
        const first = 80 - second < 65 ? `80 + ${26 - second} = ${106 - second}` : `80 - ${second} = ${80 - second}`;
        check(trace[0] === `Дължина на шифрирания текст и отместване: 31:${second}` &&
            trace[1] === `P - ${second} = ${first} -> ${String.fromCharCode(65 + (15 - second + 26) % 26)}`,
            `the second row, offset ${second}, shows the trace ${trace.slice(0, 2)}`);
        await page.click("#keys tbody tr:nth-child(6) td.decoded");
        shown = await rows();
        check(shown[5].chosen, "a click did not choose its row");
        check((await traceLines())[0] !== trace[0], "a click did not show its row's trace");
        const letterRows = await page.$$eval("#frequencies tbody tr", trs => trs.length);
        const bars = await page.$$eval("#chart rect", rects => rects.length);
        check(letterRows === 26 && bars === 26, `${letterRows} letters in the table, ${bars} bars`);
        const section = await tree();
        for (const [role, name] of [["textbox", "Шифриран текст:"], ["button", "Вземи от „Шифриран“"],
            ["button", "Разбий"], ["table", "Всички ключове"], ["columnheader", "Отместване"],
            ["image", "Честоти на буквите"], ["region", "Дешифриране"]]) {
            check(section.some(node => node.role && node.role.value === role && node.name &&
                node.name.value.trim() === name), `no ${role} named ${name} in the accessibility tree`);
        }
        check(section.some(node => node.role && node.role.value === "radio" && node.name &&
            node.name.value === "Отместване 3 най-вероятно"), "the rows' choices are not named by their offset");
        check(!section.some(node => node.role && node.role.value === "textbox" && node.name &&
            node.name.value === "Дешифриране"), "the read-only trace claims to be an edit field");
        await page.setViewportSize({ width: 600, height: 1400 });
        await page.screenshot({ path: sectionScreenshot, fullPage: true });
        await page.setViewportSize({ width: 600, height: 450 });
        // A text without letters: the message, and no results.
        await page.fill("#ciphertext", "123 Жж ?!");
        await page.click("#break");
        check((await page.$eval("#break_message", p => p.textContent)).startsWith("Няма латински букви"),
            "a text without letters gets no message");
        check(await page.$eval("#break_results", div => div.hidden), "results are shown for a text without letters");
        // A Bulgarian text, then alphabets back and forth: the text stays, each breaks it anew.
        const bulgarian = "Ефинл зир ргцъгегпи риюс рсес кг феихг снсос ргф.";
        await page.fill("#ciphertext", bulgarian);
        await page.check("#break_alphabet input[value=cyrillic]");
        await page.waitForFunction(() => document.querySelectorAll("#keys tbody tr").length === 29);
        shown = await rows();
        check(shown[0].text.includes("ВСЕКИДЕННАУЧАВАМЕНЕЩОНОВОЗАСВЕТАОКОЛОНАС") && shown[0].text.includes("3"),
            `the likeliest Bulgarian row is ${shown[0].text}`);
        check((await traceLines())[1] === "Е - 3 = 5 - 3 = 2 -> В", "the Bulgarian trace does not work on places");
        check(await page.$$eval("#chart rect", rects => rects.length) === 30 &&
            (await text("comparison")).includes("български текст"), "the chart is not of the 30 letters against Bulgarian");
        await page.check("#break_alphabet input[value=latin]");
        await page.waitForFunction(() => document.getElementById("break_message").textContent.startsWith("Няма латински"));
        await page.check("#break_alphabet input[value=cyrillic]");
        await page.waitForFunction(() => document.querySelectorAll("#keys tbody tr").length === 29);
        check(await value("ciphertext") === bulgarian, "switching alphabets lost the typed text");

        // The cipher with a key word: the classic pair, a Cyrillic one back, then an English and
        // a Bulgarian text broken, a column's letter changed and another length chosen.
        await showLesson(page, "vigenere");
        const river = {
            cyrillic: "Реката край нашето училище е тясна през лятото и широка през пролетта. " +
                "Всяка сутрин децата минават по стария каменен мост и спират за миг, за да гледат водата. Някои дни " +
                "броят патиците, а други хвърлят малки пръчки и гледат коя ще стигне първа до другия бряг. " +
                "Учителката казва, че реката е по-стара от самия град и че ще тече и след нас.",
            latin: "The river that runs past our school is narrow in summer and wide in spring. " +
                "Every morning the children cross the old stone bridge and stop for a moment to watch the water. Some " +
                "days they count the ducks, and some days they throw small sticks and race them to the other side. The " +
                "teacher says the river is older than the town itself and that it will still be there long after all " +
                "of us are gone.",
        };
        const vigenereTrace = async () => (await value("vig_trace")).split("\n");
        const vigenere = async (alphabet, typed, keyWord, button) => {
            await page.check(`#vig_alphabet input[value=${alphabet}]`);
            await page.fill("#vig_text", typed);
            await page.fill("#vig_key", keyWord);
            await page.click(button);
            await page.waitForFunction(() => document.getElementById("vig_result").value !== "");
            return value("vig_result");
        };
        check(await vigenere("latin", "Attack at dawn", "lemon", "#vig_encrypt") === "LXFOPVEFRNHR" &&
            await page.$$eval("#vig_pairs > span", pairs => pairs.length) === 12,
            `ATTACKATDAWN with LEMON gives ${await value("vig_result")}`);
        let lines = await vigenereTrace();
        check(lines[2] === "A + L(11) = 0 + 11 = 11 -> L" && lines[4] === "T + M(12) = 19 + 12 = 31 - 26 = 5 -> F",
            `the key word's trace starts ${lines.slice(0, 5)}`);
        check(await vigenere("cyrillic", "ИГСЯГДК", "БЯ", "#vig_decrypt") === "ЗДРАВЕЙ", "ИГСЯГДК with БЯ back");
        lines = await vigenereTrace();
        check(lines.includes("Г - Я(29) = 3 - 29 = -26 + 30 = 4 -> Д"), `the Cyrillic decryption: ${lines.slice(0, 4)}`);
        const breakKeyWord = async (alphabet, prose, keyWord) => {
            await vigenere(alphabet, prose, keyWord, "#vig_encrypt");
            await page.click("#vig_take");
            await page.$eval("#vig_found", box => { box.value = ""; });
            await page.click("#vig_break");
            await page.waitForFunction(() => document.getElementById("vig_found").value !== "");
            return value("vig_found");
        };
        check(await breakKeyWord("cyrillic", river.cyrillic, "ГОРА") === "ГОРА" &&
            await value("vig_length") === "4" && (await text("vig_decrypted")).startsWith("РЕКАТАКРАЙ"),
            `the Bulgarian key word found: ${await value("vig_found")}`);
        check(await breakKeyWord("latin", river.latin, "LEMON") === "LEMON", `the English key word found: ${await value("vig_found")}`);
        check(await page.$$eval("#vig_ic_chart rect", bars => bars.length) === 12 &&
            await page.$$eval("#vig_groups tbody tr", rows => rows.length) > 0 &&
            (await page.$eval("#vig_length", select => select.selectedOptions[0].textContent)) === "5 (най-вероятна)" &&
            (await announced()).startsWith("Най-вероятна дължина на ключа: 5. Намерена ключова дума: L, E, M, O, N."),
            "the lengths, the groups or the announcement of the key word");
        await shotBetween("vig_ic_title", "vig_column_chart", "page-vigenere.png", 8, 8);
        await page.setViewportSize({ width: 360, height: 640 });
        const vigenereWidth = await page.evaluate(() => document.documentElement.scrollWidth);
        check(vigenereWidth <= 360, `on a 360-pixel screen the page with a key word broken is ${vigenereWidth} wide`);
        await page.setViewportSize({ width: 600, height: 450 });
        await page.selectOption("#vig_letters select[data-column='1']", "F");
        await page.waitForFunction(() => document.getElementById("vig_found").value === "LFMON");
        check((await text("vig_decrypted")).startsWith("TGERI") && (await text("vig_column_heading")).startsWith("Колона 2 от 5"),
            `a column's letter changed: ${(await text("vig_decrypted")).slice(0, 10)}`);

        // The substitution: a key word's key both ways in both alphabets, a key refused, a text
        // solved by hand with a clash marked, and an English and a Bulgarian text broken.
        await showLesson(page, "substitution");
        const substitute = async (alphabet, typed, key, button) => {
            await page.check(`#sub_alphabet input[value=${alphabet}]`);
            await page.fill("#sub_text", typed);
            await page.fill("#sub_key", key);
            await page.$eval("#sub_message", p => { p.textContent = "…"; });
            await page.click(button);
            await page.waitForFunction(() => document.getElementById("sub_message").textContent !== "…");
            return value("sub_result");
        };
        check(await substitute("latin", "Hello, world!", "zebra", "#sub_encrypt") === "FAJJM, VMPJR!" &&
            await page.$$eval("#sub_pairs > span", pairs => pairs.length) === 26 &&
            (await value("sub_trace")).split("\n").includes("H (7) -> F"), `HELLO with ZEBRA gives ${await value("sub_result")}`);
        check(await substitute("cyrillic", "ГАОКЮБЕ", "ключ", "#sub_decrypt") === "ЗДРАВЕЙ" &&
            (await value("sub_trace")).split("\n").includes("Г (7) -> З"), "ГАОКЮБЕ with КЛЮЧ back");
        check(await substitute("latin", "ab", "ABCDEFGHIJKLMNOPQRSTUVWXYA", "#sub_encrypt") === "" &&
            (await text("sub_message")).endsWith("Повече от веднъж: A. Липсва: Z."), `a key refused: ${await text("sub_message")}`);
        await substitute("latin", "Hello, world!", "zebra", "#sub_encrypt");
        await page.click("#sub_take");
        await page.click("#sub_start");
        await page.waitForFunction(() => !document.getElementById("sub_solving").hidden);
        const guessBox = letter => `#sub_letters input[data-letter=${letter}]`;
        await page.fill(guessBox("J"), "l");
        await page.waitForFunction(() => document.getElementById("sub_solved").textContent === "··LL·, ···L·!");
        await page.fill(guessBox("M"), "L");
        await page.waitForFunction(() => document.querySelectorAll("#sub_letters input.clash").length === 2);
        check((await text("sub_solve_message")).startsWith("L е предположена"), `a clash: ${await text("sub_solve_message")}`);
        const breakSubstitution = async (alphabet, prose, key) => {
            await substitute(alphabet, prose, key, "#sub_encrypt");
            await page.click("#sub_take");
            await page.$eval("#sub_solved", p => { p.textContent = ""; });
            await page.click("#sub_break");
            await page.waitForFunction(() => !document.getElementById("sub_climb").hidden && document.getElementById("sub_solved").textContent !== "");
            return text("sub_solved");
        };
        // A short text may keep a rare letter or two wrong: most of its letters are right.
        for (const [alphabet, key] of [["latin", "zebra"], ["cyrillic", "ключ"]]) {
            const plain = river[alphabet].toUpperCase();
            const found = await breakSubstitution(alphabet, river[alphabet], key);
            const right = Array.from(plain).filter((letter, i) => letter === found[i]).length;
            check(found.length === plain.length && right >= 0.95 * plain.length, `the ${alphabet} text broken: ${found}`);
        }
        check(await page.$$eval("#sub_climb_chart polyline", lines => lines.length) === 1 &&
            (await value("sub_found")).length === 30, "the climb or the key found is not shown");
        await page.click("#sub_hint");
        await shotBetween("sub_ciphertext", "sub_hints", "page-substitution.png", 30, 10);
        await page.setViewportSize({ width: 600, height: 450 });

        // Exercises: each kind answered wrong, then right, against the answers the native
        // build shows; the hints one by one; the answer shown; the score of the visit.
        await showLesson(page, "exercises");
        const answerOf = (kind, number, alphabet = "latin") => {
            const writer = bindLesson(null);
            const input = [writer.request("exercise", { kind, number, alphabet }), writer.request("reveal")].join("\n") + "\n";
            const answer = JSON.parse(execFileSync(replay, { input }).toString().trim().split("\n").pop()).answer;
            const match = answer.match(/^Отговорът: (?:Ключ (\d+): )?([A-ZА-Я]+)/);
            return { key: Number(match[1]), letters: match[2] };
        };
        const summaryAfter = async (answer, key) => {
            if (key !== undefined) await page.fill("#exercise_key", key);
            await page.fill("#exercise_answer", answer);
            await page.press("#exercise_answer", "Enter");
            return text("check_summary");
        };
        for (const [kind, label] of [["encrypt", "Шифрирай"], ["decrypt", "Дешифрирай"], ["findKey", "Намери ключа"],
            ["encryptKeyWord", "Шифрирай с ключова дума"], ["decryptKeyWord", "Дешифрирай с ключова дума"],
            ["encryptSubstitution", "Шифрирай със заместване"], ["solveSubstitution", "Разгадай заместване"]]) {
            await page.fill("#exercise_number", "4711");
            await page.click(`#exercise_kinds label:has-text("${label}")`);
            await page.click("#open_exercise");
            check((await text("exercise_task")).length > 20, `no task for ${kind}`);
            const right = answerOf(kind, "4711");
            const key = kind === "findKey" ? String(right.key + 26) : undefined;
            const wrong = await summaryAfter(right.letters.slice(1).toLowerCase(), key);
            check(wrong.includes(`${right.letters.length - 1} от ${right.letters.length} букви`) &&
                await page.$$eval("#marked .missing", spans => spans.length) === 1, `${kind}, one letter left out: ${wrong}`);
            if (kind === "findKey") {
                for (const [hint, shown] of [[1, "hint_chart"], [2, "commonest_hint"], [3, "hint_keys_box"]]) {
                    await page.click("#hint");
                    check(!(await page.$eval("#" + shown, node => node.hidden || node.closest("[hidden]") !== null)),
                        `hint ${hint} does not show`);
                }
                check(await page.$$eval("#hint_keys tbody tr", rows => rows.length) === 25, "the hint's table has not 25 keys");
            }
            if (kind === "solveSubstitution") {
                for (let hint = 1; hint <= 3; ++hint) await page.click("#hint");
                const hints = await page.$$eval("#solving_hint_list li", items => items.map(item => item.textContent));
                check(hints.length === 3 && hints[2].startsWith("Буквата "), `the substitution's hints: ${hints}`);
            }
            const solved = await summaryAfter(right.letters, key);
            check(solved.startsWith("Вярно!") && (kind !== "findKey" || solved.includes(`${key} е същото като ${right.key}`)),
                `${kind} answered right: ${solved}`);
            check(await announced() === (await page.$eval("#announcement", node => node.textContent)), "the check was not announced");
        }
        // A mistake named: letters shifted back instead of forward get the sentence and the two
        // lines; a Cyrillic answer typed with Latin look-alikes counts, with the note.
        await page.fill("#exercise_number", "4711");
        await page.click('#exercise_kinds label:has-text("Шифрирай")');
        await page.click("#open_exercise");
        const [, shiftText, sentence] = (await text("exercise_task")).match(/ключ (\d+): (.*)$/);
        const backwards = sentence.toUpperCase().replace(/[^A-Z]/g, "").replace(/[A-Z]/g,
            c => String.fromCharCode((c.charCodeAt(0) - 65 - Number(shiftText) + 26) % 26 + 65));
        await summaryAfter(backwards);
        check(await text("diagnosis_sentence") === "Изглежда, че сте изместили назад вместо напред." &&
            /^Вашето: .* - .*Вярно: .* \+ /.test(await text("diagnosis_lines")), `a backwards answer: ${await text("diagnosis_lines")}`);
        // The check as the README shows it, from the task to the letters' lines.
        const shotOf = async (name, from, to) => {
            await page.setViewportSize({ width: 600, height: 1900 });
            const top = await page.$eval(from, node => node.getBoundingClientRect().toJSON());
            const bottom = await page.$eval(to, node => node.getBoundingClientRect().toJSON());
            await page.screenshot({ path: path.join(path.dirname(screenshot), name),
                clip: { x: 0, y: top.y - 8, width: 600, height: Math.min(bottom.bottom - top.y + 16, 700) } });
            await page.setViewportSize({ width: 600, height: 450 });
        };
        await shotOf("page-diagnosis.png", "#exercise_task", "#marked");
        await page.check("#exercise_alphabet input[value=cyrillic]");
        await page.click('#exercise_kinds label:has-text("Дешифрирай")');
        const lookAlike = answerOf("decrypt", "4711", "cyrillic").letters.replace(/[АЕОРСТ]/g, c => "AEOPCT"["АЕОРСТ".indexOf(c)]);
        const lookAlikeSaid = await summaryAfter(lookAlike);
        check(lookAlikeSaid.startsWith("Вярно!") && lookAlikeSaid.includes("(латинска) е прочетена като „"), `look-alikes: ${lookAlikeSaid}`);
        await page.check("#exercise_alphabet input[value=latin]");
        // The window's arithmetic: a box for each number and letter; one wrong box gets its reason.
        await page.click('#exercise_kinds label:has-text("Сметни като прозореца")');
        await page.waitForSelector("#calculation input");
        const [, calcKey, word] = (await text("exercise_task")).match(/ключ (\d+): ([A-Z]+)$/);
        const k = Number(calcKey);
        const codes = Array.from(word, c => c.charCodeAt(0));
        const shifted = codes.map(code => (code + k > 90 ? code + k - 26 : code + k));
        const boxes = [...codes.flatMap((code, i) => [code, shifted[i], String.fromCharCode(shifted[i])]),
            ...codes.flatMap((code, i) => [shifted[i], shifted[i] - k < 65 ? `+${26 - k}` : `-${k}`, code, word[i]])].map(String);
        const fillBoxes = async values => {
            for (const [at, typed] of values.entries()) await page.fill(`#calculation input[data-box="${at}"]`, typed);
            await page.press('#calculation input[data-box="0"]', "Enter");
        };
        await fillBoxes(boxes.map((typed, at) => (at === 1 ? String(Number(typed) + 26) : typed)));
        check(await page.$$eval("#calculation input.wrong", inputs => inputs.length) === 1 &&
            (await text("wrong_lines")).includes(`${codes[0]} + ${k} = `), `the window's arithmetic, one box wrong: ${await text("wrong_lines")}`);
        await shotOf("page-calculation.png", "#exercise_task", "#wrong_lines");
        await fillBoxes(boxes);
        check((await text("check_summary")).startsWith("Вярно!"), `the window's arithmetic answered right: ${await text("check_summary")}`);
        await page.click('#exercise_kinds label:has-text("Намери ключа")');
        // The section as the README shows it: a wrong letter and one left out, and the hints.
        const letters = answerOf("findKey", "4711").letters;
        await summaryAfter(`${letters.slice(0, 10)}X${letters.slice(11, 40)}${letters.slice(41)}`, "13");
        await page.setViewportSize({ width: 600, height: 1900 });
        const box = await page.$eval("#exercises", section => section.getBoundingClientRect().toJSON());
        await page.screenshot({ path: path.join(path.dirname(screenshot), "page-exercises.png"),
            clip: { x: box.x, y: box.y, width: box.width, height: Math.min(box.height, 1100) } });
        await page.setViewportSize({ width: 600, height: 450 });
        // One in Bulgarian: the answer typed stays with its own exercise, and comes back with it.
        await page.fill("#exercise_answer", "typed");
        await page.check("#exercise_alphabet input[value=cyrillic]");
        await page.waitForFunction(() => /[А-Я]{5}/.test(document.getElementById("exercise_task").textContent));
        check(await value("exercise_answer") === "", "the Bulgarian exercise shows another's answer");
        const bulgarianAnswer = answerOf("findKey", "4711", "cyrillic");
        const bulgarianSolved = await summaryAfter(bulgarianAnswer.letters.toLowerCase(), String(bulgarianAnswer.key));
        check(bulgarianSolved.startsWith("Вярно!"), `the Bulgarian exercise answered right: ${bulgarianSolved}`);
        await page.check("#exercise_alphabet input[value=latin]");
        check(await value("exercise_answer") === "typed", "switching alphabets lost the typed answer");
        await page.click("#next_exercise");
        check(await page.$eval("#exercise_number", box => box.value) === "4712", "Ново упражнение did not move on");
        await page.click("#reveal");
        check((await text("exercise_answer_shown")).startsWith("Отговорът: Ключ "), "the answer is not shown");
        check(await text("score") === "Решени: 10 от 11 (2 с подсказка)", `the score is ${await text("score")}`);
        await page.fill("#exercise_number", "0");
        await page.press("#exercise_number", "Enter");
        check(await text("exercise_message") === "Номерът на упражнението е цяло число от 1 до 9999." &&
            await page.$eval("#exercise_number", box => box.value) === "0", "a number out of range is not refused, or is lost");
        await namedInTree([["radio", "Шифрирай"], ["radio", "Намери ключа"], ["textbox", "Номер на упражнението"],
            ["textbox", "Ключ:"], ["textbox", "Вашият отговор:"], ["button", "Провери"], ["button", "Подсказка"],
            ["button", "Покажи отговора"], ["button", "Ново упражнение"], ["radio", "кирилица (А–Я)"], ["group", "Азбука:"],
            ["navigation", "Уроци"]]);

        // The teacher's sheet: settings out of range refused; sheets printed to PDF by Chromium
        // with the page's print styles, read back as the native build has them.
        await page.evaluate(() => { window.print = () => { document.documentElement.dataset.printed = "true"; }; });
        await showLesson(page, "teacher");
        await namedInTree([["checkbox", "Намери ключа"], ["textbox", "Упражнения на лист"], ["textbox", "Варианти"],
            ["textbox", "Първо упражнение"], ["button", "Печат"]]);
        await page.fill("#sheet_per", "21");
        await page.click("#print_sheet");
        check(await text("sheet_message") === "Броят на упражненията на лист е цяло число от 1 до 20.",
            `a sheet of 21 exercises says ${await text("sheet_message")}`);
        // A kind the lesson does not know is refused, with the reason said, not dropped.
        await page.$eval("#sheet_kinds input[value=decrypt]", box => { box.value = "bogus"; });
        await page.click("#print_sheet");
        check((await text("unavailable")).includes("unknown kind"), `a sheet of an unknown kind says ${await text("unavailable")}`);
        await page.$eval("#sheet_kinds input[value=bogus]", box => { box.value = "decrypt"; });
        await page.$eval("#unavailable", message => { message.hidden = true; });
        const pdf = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "sheet-")), "sheet.pdf");
        const squashed = textOf => textOf.replace(/\s+/g, "");
        // The sheet of the choices as the native build has it, and the text of each printed page.
        const printedPages = async choices => {
            for (const box of await page.$$("#sheet_kinds input")) await box.setChecked(choices.kinds.includes(await box.inputValue()));
            await page.check(`input[name=sheet_alphabet][value=${choices.alphabet || "latin"}]`);
            for (const [id, value] of [["sheet_per", choices.perSheet], ["sheet_variants", choices.variants],
                ["sheet_first", choices.first]]) await page.fill("#" + id, value);
            await page.$eval("html", html => { delete html.dataset.printed; });
            await page.click("#print_sheet");
            await page.waitForSelector("html[data-printed=true]", { state: "attached" });
            await page.pdf({ path: pdf, format: "A4" });
            return [JSON.parse(execFileSync(replay, { input: bindLesson(null).request("sheet", choices) + "\n" }).toString()),
                execFileSync("pdftotext", ["-layout", pdf, "-"]).toString().split("\f").slice(0, -1).map(squashed)];
        };
        // 20 exercises of every kind to a page, in the wider Cyrillic letters, still print a page
        // a variant: their type is made smaller until they fit.
        const [crowded, crowdedPages] = await printedPages({ kinds: ["encrypt", "decrypt", "findKey", "calculate"],
            perSheet: "20", variants: "3", first: "1", alphabet: "cyrillic" });
        check(crowded.variants.every((variant, v) => crowdedPages[v].startsWith(squashed(variant.heading))) &&
            crowdedPages[3].startsWith(crowded.answersHeading), "20 exercises do not print on a page a variant");
        // A substitution to solve prints its words over boxes and its table of frequencies; one
        // to encrypt, its sentence's words.
        const [substituted, substitutedPages] = await printedPages({ kinds: ["encryptSubstitution", "solveSubstitution"],
            perSheet: "2", variants: "1", first: "1" });
        const [toEncrypt, toSolve] = substituted.variants[0].exercises;
        check(toSolve.frequencies.length === 3 && substitutedPages[0].includes(squashed(toSolve.frequencies[0].join(""))) &&
            substitutedPages[0].includes(squashed(toSolve.groups.join(""))) &&
            substitutedPages[0].includes(squashed(toEncrypt.task + toEncrypt.groups.join(""))),
            "the substitution's exercises do not print with their boxes and table");
        // 2 variants of 3 exercises from 4711: a page a variant, with each letter given over its
        // box and a calculation's lines with their blanks, and a page of answers, the
        // calculation's filled in.
        const choices = { kinds: ["encrypt", "decrypt", "calculate"], perSheet: "3", variants: "2", first: "4711" };
        const [sheet, pages] = await printedPages(choices);
        execFileSync("pdftoppm", ["-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf,
            path.join(path.dirname(screenshot), "page-sheet")]);
        const opening = sheet.variants[0].exercises;
        check(pages.length === 3, `the sheet printed on ${pages.length} pages`);
        check(pages[0].startsWith(squashed(sheet.variants[0].heading + sheet.nameLine.split(" ")[0])) &&
            opening.every(exercise => pages[0].includes(squashed(exercise.task + exercise.groups.join(""))) &&
                pages[2].includes(squashed(exercise.answer))) &&
            pages[0].includes(squashed(opening[2].calculation[0].lines[0])),
            "the printed sheet does not hold the first variant's letters, lines and answers");

        // The class's work. The teacher turns the same choices into a code and a link; a student
        // opens the link, gives a variant, and gets the printed variant's exercises.
        const assignmentSheet = { ...choices, kinds: ["encrypt", "decrypt"], variants: "40" };
        await page.uncheck("#sheet_kinds input[value=calculate]");
        await page.click("#make_assignment");
        const code = await text("board_code");
        check(/^\d{3}-\d{3}-\d{4}$/.test(code) && (await page.getAttribute("#assignment_link", "href")).endsWith("#" + code),
            `the assignment's code is ${code}`);
        const printedVariant = JSON.parse(execFileSync(replay,
            { input: bindLesson(null).request("sheet", assignmentSheet) + "\n" }).toString()).variants[1].exercises;
        const folder = fs.mkdtempSync(path.join(os.tmpdir(), "class-"));
        const student = await browser.newContext({ viewport: { width: 600, height: 900 } });
        const pupil = await student.newPage();
        pupil.on("pageerror", error => errors.push(String(error)));
        await pupil.goto(`file://${path.resolve(pagePath)}#${code}`);
        await pupil.waitForSelector("html[data-ready=true]");
        const pupilText = id => pupil.$eval("#" + id, node => node.textContent);
        check(await pupil.inputValue("#assignment_code") === code && await pupil.evaluate(() => document.activeElement.id) ===
            "assignment_variant", "the link does not give the code and ask for the variant");
        const miscopied = code.slice(0, -1) + (Number(code.slice(-1)) + 1) % 10;
        await pupil.fill("#assignment_code", miscopied);
        await pupil.fill("#assignment_variant", "2");
        await pupil.click("#open_assignment");
        check((await pupilText("assignment_message")).includes("сбъркана") && await pupil.inputValue("#assignment_code") === miscopied,
            "a code copied wrong is not refused, or is lost");
        await pupil.fill("#assignment_code", code);
        await pupil.press("#assignment_variant", "Enter");
        const solve = async (place, right) => {
            check(await pupilText("assigned_place") === `Упражнение ${place} от 3` &&
                printedVariant[place - 1].task.endsWith(`${await pupil.inputValue("#exercise_number")}. ${
                    (await pupilText("exercise_task")).split(":")[0]}:`), `exercise ${place} is not the printed one`);
            const answer = answerOf(await pupil.$eval("input[name=exercise_kind]:checked", box => box.value),
                await pupil.inputValue("#exercise_number")).letters;
            await pupil.fill("#exercise_answer", right ? answer : answer.slice(3));
            if (right) await pupil.click("#check_answer");
            await pupil.click("#next_assigned");
            return answer;
        };
        const firstAnswer = await solve(1, true);
        await solve(2, true);
        await solve(3, false);
        // Two of three solved, the third typed but not checked: all there after a reload.
        await pupil.reload();
        await pupil.waitForSelector("html[data-ready=true]");
        check(await pupilText("score") === "Решени: 2 от 2 (0 с подсказка)" && await pupilText("assigned_place") === "Упражнение 1 от 3" &&
            await pupilText("solved_badge") === ", решени: 2",
            `after a reload: ${await pupilText("score")}, ${await pupilText("assigned_place")}, ${await pupilText("solved_badge")}`);
        check(await pupil.inputValue("#exercise_answer") === firstAnswer && (await pupilText("check_summary")).startsWith("Вярно!"),
            "after a reload the solved exercise is not shown solved with its answer");
        // A click before the module is ready acts on the kept work, and never writes over it.
        const held = await withModuleHeld(student);
        await held.goto("file://" + path.resolve(pagePath) + "#exercises");
        await held.click("#next_exercise");
        await held.fill("#student_name", "Иван Петров");
        await held.evaluate(() => window.releaseModule());
        await held.waitForFunction(() => document.getElementById("score").textContent === "Решени: 2 от 2 (0 с подсказка)");
        check(Number(await held.inputValue("#exercise_number")) === Number(await pupil.inputValue("#exercise_number")) + 1 &&
            await held.inputValue("#student_name") === "Иван Петров",
            "a click made before the module was ready did not act on the kept work, or a name typed then was lost");
        await held.close();
        await pupil.setViewportSize({ width: 600, height: 700 });
        const assignmentBox = await pupil.$eval("#assignment_title", node => node.getBoundingClientRect().top + scrollY);
        await pupil.screenshot({ path: path.join(path.dirname(screenshot), "page-assignment.png"), fullPage: true,
            clip: { x: 0, y: assignmentBox - 8, width: 600, height: 640 } });
        const handIn = async (who, name, number) => {
            await who.fill("#student_name", name);
            await who.fill("#student_class", "10б");
            await who.fill("#student_number", number);
            const [download] = await Promise.all([who.waitForEvent("download"), who.click("#hand_in_button")]);
            const file = path.join(folder, download.suggestedFilename());
            await download.saveAs(file);
            return file;
        };
        const files = [await handIn(pupil, "Мария Иванова", "12")];
        check(path.basename(files[0]) === "10б-12-Мария Иванова.txt", `the file is named ${files[0]}`);
        const classmate = await (await browser.newContext()).newPage();
        await classmate.goto(`file://${path.resolve(pagePath)}#${code}`);
        await classmate.waitForSelector("html[data-ready=true]");
        await classmate.fill("#assignment_variant", "1");
        await classmate.click("#open_assignment");
        await classmate.fill("#exercise_answer", "wrong");
        await classmate.click("#check_answer");
        files.push(await handIn(classmate, "Петър Петров", "3"));
        const damaged = path.join(folder, "повреден.txt");
        const handedText = fs.readFileSync(files[0], "utf8");
        fs.writeFileSync(damaged, handedText.slice(0, handedText.indexOf("\n", 300) + 1));
        // The teacher adds the three files: two rows, the damaged one named with its reason.
        await page.setInputFiles("#results_files", [...files, damaged]);
        await page.waitForFunction(() => document.getElementById("results_summary").textContent !== "");
        check(await text("results_summary") === "Добавени файлове: 2. Заменили по-ранен файл: 0. Пропуснати: 1." &&
            await text("results_lines") === "„повреден.txt“ е пропуснат: непълен е: липсва краят му.",
            `adding the files says ${await text("results_summary")} ${await text("results_lines")}`);
        const tableRows = await page.$$eval("#results_table tbody tr", trs => trs.map(tr => Array.from(tr.cells, c => c.textContent)));
        check(tableRows.length === 2 && tableRows[0].slice(0, 4).join() === "10б,3,Петър Петров,1" &&
            tableRows[0].slice(5, 8).join() === "—,—,0" && tableRows[1].slice(0, 6).join() === "10б,12,Мария Иванова,2,решено,решено" &&
            / от /.test(tableRows[1][6]) && tableRows[1][7] === "2", `the table is ${JSON.stringify(tableRows)}`);
        const [csvDownload] = await Promise.all([page.waitForEvent("download"), page.click("#results_csv")]);
        const csvFile = path.join(folder, csvDownload.suggestedFilename());
        await csvDownload.saveAs(csvFile);
        const csvRows = JSON.parse(execFileSync("python3", ["-c", "import csv, json, sys\n" +
            "raw = open(sys.argv[1], 'rb').read()\nassert raw.startswith(b'\\xef\\xbb\\xbf')\n" +
            "print(json.dumps(list(csv.reader(raw.decode('utf-8-sig').splitlines(), delimiter=';'))))", csvFile]).toString());
        check(csvRows.length === 4 && csvRows[2][2] === "Мария Иванова" && csvRows[3][0] === "Решили", `the CSV reads ${JSON.stringify(csvRows)}`);
        await page.setViewportSize({ width: 600, height: 900 });
        const resultsBox = await page.$eval("#class_results", node => node.getBoundingClientRect().toJSON());
        await page.screenshot({ path: path.join(path.dirname(screenshot), "page-results.png"),
            clip: { x: 0, y: resultsBox.y, width: 600, height: Math.min(resultsBox.height, 700) } });
        await page.evaluate(() => { document.documentElement.dataset.printing = "results"; });
        const resultsPdf = path.join(folder, "results.pdf");
        await page.pdf({ path: resultsPdf, preferCSSPageSize: true });
        check(/Page size:\s+84[12][.\d]* x 59[45]/.test(execFileSync("pdfinfo", [resultsPdf]).toString()), "the table does not print on A4 landscape");
        // The same class and number under another name: a row of its own and a line naming both;
        // removed, the table is as it was and the focus on the last row's button.
        await page.setInputFiles("#results_files", [await handIn(pupil, "Мария И.", "12")]);
        await page.waitForFunction(() => document.getElementById("results_summary").textContent.startsWith("Добавени файлове: 1."));
        check(await text("results_lines") === "„10б-12-Мария Иванова.txt“ и „10б-12-Мария И_.txt“ са за 10б, № 12, но с " +
            "различни имена: „Мария Иванова“ и „Мария И.“. И двата файла са в таблицата: проверете кой е кой." &&
            (await page.$$("#results_table tbody tr")).length === 3, `another name says ${await text("results_lines")}`);
        await page.click("[aria-label='Премахни Мария И., 10б, № 12']");
        const removed = [await text("results_summary"), await text("results_caption"), await page.$$eval("#results_table tbody tr", trs => trs.length),
            await page.evaluate(() => document.activeElement.getAttribute("aria-label"))];
        check(removed.join() === `Редът на Мария И., 10б, № 12 е премахнат.,Резултати на класа по задание ${code}: 2 ученици,2,` +
            "Премахни Мария Иванова, 10б, № 12", `removing the row leaves ${removed}`);
        // A shared computer: the student's work forgotten on request, and gone after a reload.
        pupil.on("dialog", dialog => dialog.accept());
        await pupil.click("#forget_progress");
        await pupil.waitForFunction(() => document.getElementById("assignment_code").value === "");
        await pupil.reload();
        await pupil.waitForSelector("html[data-ready=true]");
        check(await pupilText("score") === "Решени: 0 от 0 (0 с подсказка)" && await pupil.inputValue("#student_name") === "",
            "Изчисти моя напредък left work behind");
        // Two tabs of one browser, each on an exercise of its own, then the first on a third:
        // each saves by merging, so a third tab finds all three.
        const tab = async () => {
            const opened = await student.newPage();
            opened.on("pageerror", error => errors.push(String(error)));
            await opened.goto("file://" + path.resolve(pagePath) + "#exercises");
            await opened.waitForSelector("html[data-ready=true]");
            return opened;
        };
        const keptHas = (who, text) => who.waitForFunction(part => Object.values(localStorage).some(kept => kept.includes(part)), text);
        const workOn = async (who, number) => {
            await who.fill("#exercise_number", String(number));
            await who.press("#exercise_number", "Enter");
            await who.fill("#exercise_answer", `ОТГОВОР ${number}`);
            await who.click("#check_answer");
            await keptHas(who, `Отговор: ОТГОВОР ${number}`);
        };
        const [tabA, tabB] = [await tab(), await tab()];
        // A number being typed in one tab stays while another tab's work is taken in.
        await tabB.fill("#exercise_number", "77");
        await workOn(tabA, 11);
        await tabB.waitForFunction(() => document.getElementById("score").textContent.startsWith("Решени: 0 от 1 "));
        check(await tabB.inputValue("#exercise_number") === "77", "another tab's work took the number being typed");
        await workOn(tabB, 12);
        await workOn(tabA, 13);
        const answers = async who => {
            const found = [];
            for (const number of [11, 12, 13]) {
                await who.fill("#exercise_number", String(number));
                await who.press("#exercise_number", "Enter");
                found.push(await who.inputValue("#exercise_answer"));
            }
            return found.join();
        };
        const third = await tab();
        check(await answers(third) === "ОТГОВОР 11,ОТГОВОР 12,ОТГОВОР 13", `a third tab finds ${await answers(third)}`);
        for (const open of [pupil, tabA, tabB, third]) await open.close();
        // Kept work damaged while no page is open, from a blank page of the same origin: the
        // damaged exercise is set aside and said, the others are read, and it is still kept
        // after the next save.
        const blank = path.join(folder, "blank.html");
        fs.writeFileSync(blank, "<!DOCTYPE html><title>blank</title>");
        const editor = await student.newPage();
        await editor.goto("file://" + blank);
        await editor.evaluate(() => {
            const key = Object.keys(localStorage).find(k => localStorage.getItem(k).includes("ОТГОВОР 12"));
            const kept = localStorage.getItem(key);
            const at = kept.indexOf("Подсказки: 0", kept.indexOf("ОТГОВОР 12"));
            localStorage.setItem(key, kept.slice(0, at) + "Подсказки: 99" + kept.slice(at + 12));
        });
        await editor.close();
        const reopened = await tab();
        const note = await reopened.$eval("#storage_note", p => p.hidden ? "" : p.textContent);
        check(note.startsWith("Не са заредени 1 упражнение с повреден ред."), `the damaged kept work says ${note}`);
        check(await answers(reopened) === "ОТГОВОР 11,,ОТГОВОР 13", `after damage the tab finds ${await answers(reopened)}`);
        await reopened.click("#check_answer");
        await keptHas(reopened, "Подсказки: 99");
        // Storage refused: said once, and the exercises still work.
        const refusing = await (await browser.newContext()).newPage();
        await refusing.addInitScript(() => {
            Storage.prototype.setItem = () => { throw new Error("QuotaExceededError"); };
        });
        await refusing.goto("file://" + path.resolve(pagePath) + "#exercises");
        await refusing.waitForSelector("html[data-ready=true]");
        await refusing.click("#check_answer");
        check(!(await refusing.$eval("#storage_note", p => p.hidden)) && (await refusing.$eval("#check_summary", p => p.textContent)) !== "",
            "refused storage is not said, or the exercises stop");
        await page.setViewportSize({ width: 600, height: 450 });

        // Every lesson by its address, in the light and the dark scheme, on a phone and on a
        // desktop: axe-core finds nothing against WCAG 2.0 and 2.1 A and AA, and no lesson
        // scrolls sideways.
        const axe = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
        const lessons = await page.$$eval("#lessons a", links => links.map(link => link.hash.slice(1)));
        for (const [width, colorScheme] of [[360, "light"], [360, "dark"], [1280, "light"], [1280, "dark"]]) {
            const viewer = await (await browser.newContext({ viewport: { width, height: 800 }, colorScheme })).newPage();
            for (const lesson of lessons) {
                await viewer.goto(`file://${path.resolve(pagePath)}#${lesson}`);
                await viewer.waitForSelector("html[data-ready=true]");
                // The substitution with its table of guesses, the climb and a hint shown.
                if (lesson === "substitution") {
                    await viewer.fill("#sub_ciphertext", "QEB OFSBO QEXQ ORKP MXPQ LRO PZELLI FP KXOOLT FK PRJJBO.");
                    await viewer.click("#sub_break");
                    await viewer.click("#sub_hint");
                    await viewer.waitForSelector("#sub_hints li");
                }
                await viewer.evaluate(axe);
                const found = await viewer.evaluate(() => axe.run(document, { runOnly: { type: "tag",
                    values: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"] } }).then(result =>
                    result.violations.map(v => `${v.id}: ${v.nodes.map(node => node.target).join(" ")}`)));
                check(found.length === 0, `#${lesson} at ${width} px, ${colorScheme}: ${found.join("; ")}`);
                const wide = await viewer.evaluate(() => document.documentElement.scrollWidth);
                check(width > 360 || wide <= width, `#${lesson} at ${width} px is ${wide} wide`);
                // The course as the README shows it.
                if (lesson === "exercises" && (width === 1280 || colorScheme === "light")) {
                    await viewer.evaluate(() => scrollTo(0, 0));
                    await viewer.screenshot({ path: path.join(path.dirname(screenshot), `page-course-${width === 360 ? "phone" : colorScheme}.png`) });
                }
            }
            await viewer.context().close();
        }

        // A narrow screen: the window shrinks to the width, whole.
        await page.setViewportSize({ width: 320, height: 480 });
        await showLesson(page, "caesar");
        // The browser fires the resize event with its next frame, not at once.
        await page.waitForFunction(() => document.getElementById("window").getBoundingClientRect().width < 532,
            null, { timeout: 5000 }).catch(() => {});
        const width = await page.$eval("#window", box => box.getBoundingClientRect().width);
        check(Math.abs(width - 320) < 1, `on a 320-pixel screen the window is ${width} wide`);
        const [windowTop, viewBottom] = await page.evaluate(() => [document.getElementById("window").getBoundingClientRect().top,
            document.getElementById("caesar").getBoundingClientRect().bottom]);
        check(viewBottom <= windowTop + 320 * 398 / 532 + 1, `on a 320-pixel screen the window's lesson ends at ${viewBottom}`);
        await showLesson(page, "breaking");
        await page.fill("#ciphertext", "Wkh vhfuhw phhwlqj lv dw qrrq wrgdb eb wkh rog kduerxu zdoo");
        await page.click("#break");
        const pageWidth = await page.evaluate(() => document.documentElement.scrollWidth);
        check(pageWidth <= 320, `on a 320-pixel screen the page is ${pageWidth} wide`);
        const button = await page.$eval("#break", b => b.getBoundingClientRect().right);
        check(button <= 320, `on a 320-pixel screen the break button reaches ${button}`);
        // A click as the window first shows, before the lessons' scripts have bound the buttons,
        // is held for them and answered.
        const firstShown = await context.newPage();
        await firstShown.addInitScript(() => new PerformanceObserver((entries, observer) => {
            observer.disconnect();
            window.boundAtClick = document.documentElement.dataset.usable === "true";
            document.getElementById("Command1_0").click();
        }).observe({ type: "paint", buffered: true }));
        await firstShown.goto("file://" + path.resolve(pagePath));
        await firstShown.waitForSelector("html[data-ready=true]");
        const openingAnswer = native([[0, await firstShown.inputValue("#Text2_0"), await firstShown.inputValue("#Text2_1")]]).result;
        check(await firstShown.evaluate(() => window.boundAtClick) === false && await firstShown.inputValue("#Text2_2") === openingAnswer,
            "a click at the first paint was not answered");
        // A click before the module is ready waits for it: the module is held back here, its
        // WebAssembly made only once the test lets it.
        const early = await withModuleHeld(context);
        await early.goto("file://" + path.resolve(pagePath));
        await early.waitForSelector("html[data-usable=true]");
        check(await early.$eval("#Text1_0", box => box.value) === native([[1, "", ""]]).log,
            "the help text is not in the log at the first paint");
        await early.fill("#Text2_0", "abc");
        await early.fill("#Text2_1", "1");
        await early.click("#Command1_0");
        check(await early.evaluate(() => document.documentElement.dataset.ready) === undefined, "the module was not held back");
        await early.fill("#Text2_0", "typed later");
        await early.evaluate(() => window.releaseModule());
        await early.waitForSelector("html[data-ready=true]");
        check(await early.$eval("#Text2_2", box => box.value) === "BCD", "the early click was lost");
        check(await early.$eval("#Text2_0", box => box.value) === "typed later", "the early click overwrote what was typed after it");

        // Where WebAssembly is refused, the page says so and why, in the page and through the
        // live region; the click that waited is counted, the buttons say they are unavailable,
        // and the window's texts stay.
        const refused = await context.newPage();
        await refused.addInitScript(() => {
            const held = new Promise(resolve => { window.releaseModule = resolve; });
            WebAssembly.instantiate = () => held.then(() => Promise.reject(new Error("WebAssembly е забранен")));
        });
        await refused.goto("file://" + path.resolve(pagePath));
        await refused.waitForSelector("html[data-usable=true]");
        await refused.click("#Command1_0");
        await refused.evaluate(() => window.releaseModule());
        await refused.waitForSelector("html[data-failed=true]");
        const said = await refused.$eval("#unavailable", p => p.hidden ? "" : p.textContent);
        check(said.startsWith("Уроците не могат да работят в този браузър") && said.includes("WebAssembly е забранен") &&
            said.includes("Едно натискане на бутон не беше изпълнено."), `the refused page says ${said}`);
        // And a copy of the file cut off inside the module says so too.
        const html = fs.readFileSync(pagePath, "utf8");
        const cut = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "page-cut-")), "cut.html");
        fs.writeFileSync(cut, html.slice(0, html.indexOf('id="module_wasm"') + 5000));
        const cutPage = await context.newPage();
        await cutPage.goto("file://" + cut);
        await cutPage.waitForSelector("html[data-failed=true]");
        check((await cutPage.$eval("#unavailable", p => p.textContent)).startsWith("Уроците не могат да работят"),
            "a cut-off copy of the page does not say it cannot work");
        await refused.waitForFunction(text => document.getElementById("announcement").textContent === text, said);
        const unavailable = await refused.$$eval("[aria-disabled=true]", buttons => buttons.map(b => b.id).join());
        check(unavailable === "Command1_0,Command1_1,cyr_calculate,take_result,break,sub_encrypt,sub_decrypt,sub_take,sub_start,sub_break,sub_hint,vig_encrypt,vig_decrypt,vig_take,vig_break," +
            "open_assignment,open_exercise,next_exercise," +
            "next_assigned,check_answer,hint,reveal,hand_in_button,forget_progress,print_sheet,make_assignment,add_results,results_csv",
            `unavailable: ${unavailable}`);
        check(await refused.$eval("#Text2_0", box => box.value) === "abcdefghijkl" &&
            await refused.$eval("#Text1_0", box => box.value) === native([[1, "", ""]]).log, "the opening texts are gone");
        check(errors.length === 0, `the page failed: ${errors}`);
        console.log(`page: loads from file:// with no request and is usable in ${usable} ms; texts, ` +
            "caps, tab order, trace, Clear, warning, breaking, an early click, a refused module, " +
            "accessibility tree and narrow screen as designed");
    } finally {
        await browser.close();
    }
}
main().catch(error => { console.error(error); process.exit(1); });
