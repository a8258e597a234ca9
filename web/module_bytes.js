function packedBytes(id) {
    const text = document.getElementById(id).textContent;
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
}
function inflated(id) {
    return new Response(packedBytes(id)).body.pipeThrough(new DecompressionStream("gzip"));
}
function moduleBytes() {
    return new Promise(resolve => resolve(new Response(inflated("module_wasm")).arrayBuffer()));
}
