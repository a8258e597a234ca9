// SPDX-License-Identifier: GPL-3.0-or-later
// Random sessions of clicks, run through the page's WebAssembly module and through the same
// functions built natively (lesson_replay): after every click the fields, the codes and the
// outcome must be the same. With --native-only the sessions run through the native build
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
const kindCounts = { Calculate: 0, Clear: 0, "no button": 0, "phrase past 50": 0 };
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

function randomClicks() {
    const clicks = [];
    for (let i = 0; i < steps; ++i) {
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

// The number of clicks whose line from the native build differs from the module's, or, with
// no module, is not a whole answer: seven texts and the codes.
async function mismatchesWith(clicks, native) {
    if (nativeOnly) {
        return clicks.filter((click, i) => (native[i] || "").split(" ").length !== 8).length;
    }
    const lesson = bindLesson(await require(path.resolve(modulePath))());
    let mismatches = 0;
    clicks.forEach((click, i) => {
        lesson.type(click.phrase, click.offset);
        lesson.click(click.index);
        const s = lesson.state();
        const web = [s.phrase, s.offset, s.result, s.log, s.problemTitle, s.problem,
            s.announcement].map(hex).join(" ") + " " +
            Array.from(s.codes, b => b.toString(16).padStart(2, "0")).join("");
        if (web !== native[i]) {
            if (mismatches < 3) console.error(`step ${i}: ${JSON.stringify(click)}\n web    ${web.slice(0, 200)}\n native ${native[i].slice(0, 200)}`);
            ++mismatches;
        }
    });
    return mismatches;
}

async function main() {
    const clicks = randomClicks();
    const input = clicks.map(c => `${c.index} ${hex(c.phrase)} ${hex(c.offset)}`).join("\n") + "\n";
    const native = execFileSync(replay, { input, maxBuffer: 1 << 30 }).toString().split("\n");
    const mismatches = await mismatchesWith(clicks, native);
    console.log(`${nativeOnly ? "native alone" : "web against native"}: ${mismatches} mismatches in ${steps} clicks`);
    const missed = reportCoverage();
    if (missed.length > 0) console.error(`never came up: ${missed.join(", ")}`);
    process.exit(mismatches === 0 && missed.length === 0 ? 0 : 1);
}
main().catch(error => { console.error(error); process.exit(1); });
