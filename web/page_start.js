// SPDX-License-Identifier: GPL-3.0-or-later
// The lessons' scripts run once the window has painted and the file has been read to its end,
// so that the first paint does not wait for them. What the student clicks, chooses or presses
// in the meantime is held, and handed to the controls again once their scripts say that they
// have bound them. A page that is not shown paints nothing, so it starts them a moment after
// the file is read.
(() => {
    const KINDS = ["click", "change", "keydown", "dragover", "drop"];
    const held = [];

    // The same event again, to the scripts' listeners alone: what the browser itself does for a
    // click or a key, such as ticking a box, was done the first time. Dropped files are kept for
    // the page, not opened in its place.
    function again(event) {
        const options = { bubbles: true, cancelable: true };
        if (event.type === "keydown") {
            const { key, code, shiftKey, ctrlKey, altKey, metaKey, isComposing } = event;
            return new KeyboardEvent("keydown", { ...options, key, code, shiftKey, ctrlKey, altKey, metaKey, isComposing });
        }
        if (event.type === "drop") {
            event.preventDefault();
            const files = new DataTransfer();
            for (const file of event.dataTransfer.files) files.items.add(file);
            return new DragEvent("drop", { ...options, dataTransfer: files });
        }
        return new Event(event.type, options);
    }

    const hold = event => {
        if (event.type === "dragover") {
            event.preventDefault();
        } else {
            held.push([event.target, again(event)]);
        }
    };
    for (const kind of KINDS) document.addEventListener(kind, hold, true);

    let painted = false;
    let started = false;
    function start() {
        if (!painted || started || document.readyState === "loading") return;
        started = true;
        const script = document.createElement("script");
        script.textContent = document.getElementById("lessons_script").textContent;
        document.body.append(script);
    }
    document.addEventListener("lessonsbound", () => {
        for (const kind of KINDS) document.removeEventListener(kind, hold, true);
        for (const [target, event] of held.splice(0)) target.dispatchEvent(event);
    });
    function paint() {
        painted = true;
        start();
    }
    new PerformanceObserver(paint).observe({ type: "paint", buffered: true });
    document.addEventListener("DOMContentLoaded", () => {
        start();
        setTimeout(paint, 1000);
    });
})();
