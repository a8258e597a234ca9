// SPDX-License-Identifier: GPL-3.0-or-later
// Random sessions of clicks and of breaking encrypted texts, run through the page's
// WebAssembly module and through the same functions built natively (lesson_replay): after
// every step the fields, the codes, the outcome and all the breaking section shows must be
// the same. With --native-only the sessions run through the native build
// alone, which must answer every click, for the sanitizers to watch.
// Usage: node differential.js [--native-only | lesson_module.js] lesson_replay STEPS
"use strict";
const { execFileSync } = require("child_process");
const path = require("path");
const { bindLesson } = require(path.join(__dirname, "..", "lesson_binding.js"));

const [modulePath, replay, stepsText] = process.argv.slice(2);
const nativeOnly = modulePath === "--native-only";
const steps = Number(stepsText);

// xorshift32, so that a failure can be replayed from its seed. Every step stays a 32-bit
// integer: a multiplying generator in doubles loses its low bits past 2^53.
let state = 20261208;
function random(n) {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    return (state >>> 0) % n;
}

// Texts that reach every branch: letters of both cases, digits and number syntax, blanks,
// Cyrillic, letters that upper-case into A-Z, surrogates (paired and not) and long runs.
const PIECES = ["A", "z", "Y", "m", "0", "3", "9", "-", "+", ".", "e", "E", " ", "\t", "\n",
    "Ж", "ı", "ß", "ﬀ", "\u{1F600}", "\uD800", "\uDC00", "1e9", "2.5", "-2147483648",
    "99999999999", "1e400", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"];
// How often each piece and each kind of click came up: the run covers only what came up.
const pieceCounts = new Array(PIECES.length).fill(0);
const kindCounts = { Calculate: 0, Clear: 0, "no button": 0, "phrase past 50": 0, "break": 0,
    "break, no letters": 0, "break, text past the cap": 0 };
function randomText(maxPieces) {
    let text = "";
    const count = random(maxPieces + 1);
    for (let i = 0; i < count; ++i) {
        const piece = random(PIECES.length);
        ++pieceCounts[piece];
        text += PIECES[piece];
    }
    return text;
}

// Prints the counts; the names of whatever never came up, or none.
function reportCoverage() {
    const counts = PIECES.map((piece, i) => [JSON.stringify(piece), pieceCounts[i]])
        .concat(Object.entries(kindCounts));
    console.log(counts.map(([name, count]) => `${name} ${count}`).join(", "));
    return counts.filter(([, count]) => count === 0).map(([name]) => name);
}

function hex(text) {
    if (text.length === 0) return "-";
    let out = "";
    for (let i = 0; i < text.length; ++i) out += text.charCodeAt(i).toString(16).padStart(4, "0");
    return out;
}

// The breaking section's texts: English letters, so that ranking is not all noise, and the
// pieces above, sometimes past the section's 2,000 characters.
const PROSE = "Thequickbrownfoxjumpsoverthelazydog Meet me at noon by the old harbour wall. ";
function randomBreak() {
    ++kindCounts["break"];
    let text = randomText(8);
    for (let words = random(12); words > 0; --words) {
        const start = random(PROSE.length);
        text += PROSE.slice(start, start + random(30)) + randomText(1);
    }
    if (random(40) === 0) {
        text = PROSE.repeat(30);
        ++kindCounts["break, text past the cap"];
    }
    return { breaking: true, text, row: random(28) - 1 };
}

function randomClicks() {
    const clicks = [];
    for (let i = 0; i < steps; ++i) {
        if (random(8) === 0) {
            clicks.push(randomBreak());
            continue;
        }
        // Mostly Calculate, sometimes Clear, now and then an index without a button; the
        // phrase sometimes past the page's 50 characters, to reach the 300-letter limit too.
        const roll = random(20);
        const index = roll < 14 ? 0 : roll < 19 ? 1 : roll - 22;
        ++kindCounts[index === 0 ? "Calculate" : index === 1 ? "Clear" : "no button"];
        const long = random(50) === 0;
        kindCounts["phrase past 50"] += long ? 1 : 0;
        const phrase = long ? "AB".repeat(160) : randomText(12);
        clicks.push({ index, phrase, offset: randomText(3) });
    }
    return clicks;
}

function bits(number) {
    const view = new DataView(new ArrayBuffer(8));
    view.setFloat64(0, number);
    return view.getBigUint64(0).toString(16).padStart(16, "0");
}

// A step through the module, written as the native replay writes it.
function webLine(lesson, step) {
    if (step.breaking) {
        lesson.breakText(step.text);
        lesson.choose(step.row);
        const b = lesson.breaking();
        return [b.rows.length, b.chosen, ...b.rows.flatMap(r => [r.offset, hex(r.decoded), hex(r.score)]),
            ...b.letters.flatMap(l => [l.count, hex(l.expectedText), bits(l.expected)]),
            hex(b.message), hex(b.announcement), hex(b.trace)].join(" ") + " ";
    }
    lesson.type(step.phrase, step.offset);
    lesson.click(step.index);
    const s = lesson.state();
    return [s.phrase, s.offset, s.result, s.log, s.problemTitle, s.problem,
        s.announcement].map(hex).join(" ") + " " +
        Array.from(s.codes, b => b.toString(16).padStart(2, "0")).join("");
}

// Whether a line from the native build is a whole answer: seven texts and the codes after a
// click; after a break, the counts its own first number gives.
function whole(step, line) {
    const tokens = (line || "").split(" ");
    return step.breaking ? tokens.length === 2 + 3 * Number(tokens[0]) + 3 * 26 + 3 + 1
        : tokens.length === 8;
}

// The number of steps whose line from the native build differs from the module's, or, with
// no module, is not whole.
async function mismatchesWith(clicks, native) {
    clicks.forEach((step, i) => {
        if (step.breaking && native[i].startsWith("0 ")) ++kindCounts["break, no letters"];
    });
    if (nativeOnly) {
        return clicks.filter((step, i) => !whole(step, native[i])).length;
    }
    const lesson = bindLesson(await require(path.resolve(modulePath))());
    let mismatches = 0;
    clicks.forEach((click, i) => {
        const web = webLine(lesson, click);
        if (web !== native[i]) {
            if (mismatches < 3) console.error(`step ${i}: ${JSON.stringify(click)}\n web    ${web.slice(0, 200)}\n native ${native[i].slice(0, 200)}`);
            ++mismatches;
        }
    });
    return mismatches;
}

async function main() {
    const clicks = randomClicks();
    const input = clicks.map(c => c.breaking ? `B ${hex(c.text)} ${c.row}`
        : `${c.index} ${hex(c.phrase)} ${hex(c.offset)}`).join("\n") + "\n";
    const native = execFileSync(replay, { input, maxBuffer: 1 << 30 }).toString().split("\n");
    const mismatches = await mismatchesWith(clicks, native);
    console.log(`${nativeOnly ? "native alone" : "web against native"}: ${mismatches} mismatches in ${steps} steps`);
    const missed = reportCoverage();
    if (missed.length > 0) console.error(`never came up: ${missed.join(", ")}`);
    process.exit(mismatches === 0 && missed.length === 0 ? 0 : 1);
}
main().catch(error => { console.error(error); process.exit(1); });
