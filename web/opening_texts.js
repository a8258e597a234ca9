// SPDX-License-Identifier: GPL-3.0-or-later
// Prints, as JSON, the texts the window opens with, as the lesson module gives them: the
// caption, the phrase, the offset and the log. The page is written with them in place.
// Usage: node opening_texts.js lesson_module.js
"use strict";
const path = require("path");
const { bindLesson } = require(path.join(__dirname, "lesson_binding.js"));

require(path.resolve(process.argv[2]))().then(wasm => {
    const { caption, phrase, offset, log } = bindLesson(wasm).state();
    process.stdout.write(JSON.stringify({ caption, phrase, offset, log }));
});
