// SPDX-License-Identifier: GPL-3.0-or-later
// Binds the page's controls to the lesson in WebAssembly: every text a field shows comes from
// there; this only moves texts between the boxes and the module, as the desktop window does.
"use strict";
(function () {
    const DESIGN_WIDTH = 532;
    const DESIGN_HEIGHT = 398;
    const byId = id => document.getElementById(id);
    const windowBox = byId("window");
    const phrase = byId("Text2_0");
    const offset = byId("Text2_1");
    const result = byId("Text2_2");
    const log = byId("Text1_0");
    const announcement = byId("announcement");
    const warning = byId("warning");
    let lesson = null;

    // Narrower than the window, the whole window shrinks to the width, with nothing moved.
    function fitToWidth() {
        const scale = Math.min(1, document.documentElement.clientWidth / DESIGN_WIDTH);
        windowBox.style.transform = scale < 1 ? `scale(${scale})` : "";
        document.body.style.height = scale < 1 ? `${DESIGN_HEIGHT * scale}px` : "";
    }

    function setIfChanged(box, text) {
        if (box.value !== text) box.value = text;
    }

    // After each write the log shows its start, with the caret there.
    function showLog(text) {
        log.value = text;
        log.setSelectionRange(0, 0);
        log.scrollTop = 0;
    }

    function showFields(state) {
        setIfChanged(phrase, state.phrase);
        setIfChanged(offset, state.offset);
        setIfChanged(result, state.result);
    }

    // Said by a screen reader without moving focus; emptied first, so that the same sentence
    // twice in a row is said twice.
    function announce(text) {
        announcement.textContent = "";
        requestAnimationFrame(() => { announcement.textContent = text; });
    }

    function warn(title, text) {
        byId("warning_title").textContent = title;
        byId("warning_text").textContent = text;
        warning.showModal();
        byId("warning_ok").focus();
    }

    function click(index) {
        lesson.type(phrase.value, offset.value);
        lesson.click(index);
        const state = lesson.state();
        showFields(state);
        // A full run, and only a full run, leaves a result and shows its trace.
        if (state.result !== "") showLog(state.log);
        if (state.problem !== "") {
            warn(state.problemTitle, state.problem);
        } else if (state.announcement !== "") {
            announce(state.announcement);
        }
    }

    // Tab goes round the window's controls, as in the desktop window, rather than out of
    // the page.
    function keepTabInWindow(event) {
        if (event.key !== "Tab" || warning.open) return;
        const first = log;
        const last = result;
        if (!event.shiftKey && document.activeElement === last) {
            event.preventDefault();
            first.focus();
        } else if (event.shiftKey && document.activeElement === first) {
            event.preventDefault();
            last.focus();
        }
    }

    fitToWidth();
    window.addEventListener("resize", fitToWidth);
    document.addEventListener("keydown", keepTabInWindow);
    CaesarLesson().then(wasm => {
        lesson = bindLesson(wasm);
        const state = lesson.state();
        document.title = state.caption;
        showFields(state);
        showLog(state.log);
        byId("Command1_0").addEventListener("click", () => click(0));
        byId("Command1_1").addEventListener("click", () => click(1));
        log.focus();
        document.documentElement.dataset.ready = "true";
    });
})();
