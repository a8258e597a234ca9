// SPDX-License-Identifier: GPL-3.0-or-later
// Prints, as JSON, the texts the page is written with, as the lesson module gives them: the
// caption, the window's opening phrase, offset and log, the sections' fixed texts and limits,
// the choices of kind and alphabet, and what to say where the module cannot start. The page
// shows them at its first paint, before the module runs.
// Usage: node opening_texts.js lesson_module.js
"use strict";
const path = require("path");
const { bindLesson, startLesson } = require(path.join(__dirname, "lesson_binding.js"));

startLesson(path.resolve(process.argv[2])).then(wasm => {
    process.stdout.write(JSON.stringify(bindLesson(wasm).call("openingTexts")));
});
