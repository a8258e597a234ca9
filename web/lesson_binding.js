// SPDX-License-Identifier: GPL-3.0-or-later
// The page's functions in the WebAssembly module, as JavaScript calls. Texts cross as UTF-16
// code units through the module's memory, so that every text arrives unchanged.
"use strict";
function bindLesson(wasm) {
    const CHUNK = 4096;
    function put(which, text) {
        const at = wasm._lesson_input(which, text.length) >> 1;
        // Taken after the call: the memory, and so its views, may have grown.
        const units = wasm.HEAPU16;
        for (let i = 0; i < text.length; ++i) units[at + i] = text.charCodeAt(i);
    }
    function get(which) {
        return read(wasm._lesson_text(which), wasm._lesson_text_length(which));
    }
    function getBreak(which, index) {
        return read(wasm._lesson_break_text(which, index), wasm._lesson_break_text_length(which, index));
    }
    function read(address, length) {
        const at = address >> 1;
        const units = wasm.HEAPU16;
        let text = "";
        for (let i = 0; i < length; i += CHUNK) {
            text += String.fromCharCode.apply(null, units.subarray(at + i, at + Math.min(length, i + CHUNK)));
        }
        return text;
    }
    return {
        // What the student typed into the phrase and the offset, for the next click.
        type(phrase, offset) {
            put(0, phrase);
            put(1, offset);
        },
        // Calculate (0) or Clear (1).
        click(index) {
            wasm._lesson_click(index);
        },
        // Tries every offset on an encrypted text; the likeliest row is chosen.
        breakText(text) {
            put(8, text);
            wasm._lesson_break();
        },
        // Chooses a row of the offsets, whose trace then shows.
        choose(row) {
            wasm._lesson_choose(row);
        },
        // What the breaking section shows: the rows, the chosen one, the letters' counts
        // beside English, the message, the announcement and the chosen row's trace.
        breaking() {
            const rows = [];
            for (let row = 0; row < wasm._lesson_break_rows(); ++row) {
                rows.push({ offset: wasm._lesson_break_offset(row), decoded: getBreak(0, row), score: getBreak(1, row) });
            }
            const letters = [];
            for (let letter = 0; letter < 26; ++letter) {
                letters.push({ count: wasm._lesson_letter_count(letter), expected: wasm._lesson_expected_count(letter),
                    expectedText: getBreak(2, letter) });
            }
            return { rows, chosen: wasm._lesson_break_chosen(), letters, message: getBreak(3, 0),
                announcement: getBreak(4, 0), trace: getBreak(5, 0) };
        },
        // The fields, with the log as its box shows it, what the last click came to, and the
        // code buffer.
        state() {
            const codes = wasm._lesson_codes();
            return {
                phrase: get(0), offset: get(1), result: get(2), log: get(3),
                problemTitle: get(4), problem: get(5), announcement: get(6), caption: get(7),
                codes: wasm.HEAPU8.slice(codes, codes + wasm._lesson_code_count()),
            };
        },
    };
}
if (typeof module === "object") module.exports = { bindLesson };
