// SPDX-License-Identifier: GPL-3.0-or-later
// The page's way into the lesson in the WebAssembly module: a request names an action and
// its arguments, and the answer is the whole state of what it changed. Both cross the
// module's memory as ASCII JSON, every other code unit escaped, so that every text arrives
// unchanged, lone surrogates included.
"use strict";
function bindLesson(wasm) {
    const decoder = new TextDecoder();
    // JSON.stringify escapes lone surrogates and control characters; this escapes the rest.
    function request(action, args) {
        return JSON.stringify({ action, ...args }).replace(/[\u007f-\uffff]/g,
            c => "\\u" + c.charCodeAt(0).toString(16).padStart(4, "0"));
    }
    // The response's text, or null when the module refuses room for the request.
    function callText(text) {
        const at = wasm._lesson_request(text.length);
        if (at === 0) return null;
        // Taken after the call: the memory, and so its views, may have grown.
        const bytes = wasm.HEAPU8;
        for (let i = 0; i < text.length; ++i) bytes[at + i] = text.charCodeAt(i);
        const length = wasm._lesson_call();
        const from = wasm._lesson_response();
        return decoder.decode(wasm.HEAPU8.subarray(from, from + length));
    }
    return {
        request,
        callText,
        // The action's state; a refused request throws, having changed nothing.
        call(action, args) {
            const text = callText(request(action, args));
            const state = JSON.parse(text === null ? '{"error":"no room for the request"}' : text);
            if (state.error !== undefined) throw new Error(`${action}: ${state.error}`);
            return state;
        },
    };
}
if (typeof module === "object") {
    // In Node.js, the module started with its WebAssembly read from the file beside it.
    const startLesson = modulePath => require(modulePath)({
        wasmBinary: require("fs").readFileSync(modulePath.replace(/\.js$/, ".wasm")) });
    module.exports = { bindLesson, startLesson };
}
