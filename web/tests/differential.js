// SPDX-License-Identifier: GPL-3.0-or-later
// Random sessions of clicks, run through the page's WebAssembly module and through the same
// functions built natively (lesson_replay): after every click the fields, the codes and the
// outcome must be the same.
// Usage: node differential.js lesson_module.js lesson_replay STEPS
"use strict";
const { execFileSync } = require("child_process");
const path = require("path");
const { bindLesson } = require(path.join(__dirname, "..", "lesson_binding.js"));

const [modulePath, replay, stepsText] = process.argv.slice(2);
const steps = Number(stepsText);

// A small generator of our own, so that a failure can be replayed from its seed.
let seed = 20261208;
function random(n) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed % n;
}

// Texts that reach every branch: letters of both cases, digits and number syntax, blanks,
// Cyrillic, letters that upper-case into A-Z, surrogates (paired and not) and long runs.
const PIECES = ["A", "z", "Y", "m", "0", "3", "9", "-", "+", ".", "e", "E", " ", "\t", "\n",
    "Ж", "ı", "ß", "ﬀ", "\u{1F600}", "\uD800", "\uDC00", "1e9", "2.5", "-2147483648",
    "99999999999", "1e400", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"];
function randomText(maxPieces) {
    let text = "";
    const count = random(maxPieces + 1);
    for (let i = 0; i < count; ++i) {
        text += PIECES[random(PIECES.length)];
    }
    return text;
}

function hex(text) {
    if (text.length === 0) return "-";
    let out = "";
    for (let i = 0; i < text.length; ++i) out += text.charCodeAt(i).toString(16).padStart(4, "0");
    return out;
}

async function main() {
    const lesson = bindLesson(await require(path.resolve(modulePath))());
    const clicks = [];
    for (let i = 0; i < steps; ++i) {
        // Mostly Calculate, sometimes Clear, now and then an index without a button; the
        // phrase sometimes past the page's 50 characters, to reach the 300-letter limit too.
        const roll = random(20);
        const index = roll < 14 ? 0 : roll < 19 ? 1 : roll - 22;
        const phrase = random(50) === 0 ? "AB".repeat(160) : randomText(12);
        clicks.push({ index, phrase, offset: randomText(3) });
    }
    const input = clicks.map(c => `${c.index} ${hex(c.phrase)} ${hex(c.offset)}`).join("\n") + "\n";
    const native = execFileSync(replay, { input, maxBuffer: 1 << 30 }).toString().split("\n");
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
    console.log(`web against native: ${mismatches} mismatches in ${steps} clicks`);
    process.exit(mismatches === 0 ? 0 : 1);
}
main().catch(error => { console.error(error); process.exit(1); });
