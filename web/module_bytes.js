// SPDX-License-Identifier: GPL-3.0-or-later
// The module's WebAssembly stands in the file gzipped, in base64: less than half its size in
// plain base64. The browser's own DecompressionStream inflates it, so the page carries no
// inflater of its own.

// The bytes that a base64 text stands for. Uint8Array.fromBase64 is native where the browser
// has it; the first run of the loop, still interpreted, takes ten times as long.
function base64Bytes(text) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
}

// The module's WebAssembly, compiled as it is inflated, on the browser's own threads: a
// promise of the module, refused when the copy of the file is broken or the browser cannot
// inflate. A Response's body rather than a Blob's stream: a Blob goes through the browser's
// own process and came out slower.
function compiledModule() {
    return new Promise(resolve => {
        const packed = base64Bytes(document.getElementById("module_wasm").textContent);
        const inflated = new Response(packed).body.pipeThrough(new DecompressionStream("gzip"));
        const response = new Response(inflated, { headers: { "Content-Type": "application/wasm" } });
        const compiled = WebAssembly.compileStreaming ? WebAssembly.compileStreaming(response)
            : response.arrayBuffer().then(bytes => WebAssembly.compile(bytes));
        // What the stream gives here reads "Failed to fetch", which would mislead.
        resolve(compiled.catch(() => { throw new Error(TEXTS.moduleDamaged); }));
    });
}
