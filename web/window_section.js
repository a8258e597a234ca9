// SPDX-License-Identifier: GPL-3.0-or-later
// The window: its two buttons on the typed phrase and offset, as the desktop program has
// them. Its opening texts are in the file already, so it shows them at its first paint, and
// what is clicked before its script runs is held for it.
SECTIONS.push((() => {
    const phrase = byId("Text2_0");
    const offset = byId("Text2_1");

    function warn(title, text) {
        byId("warning_title").textContent = title;
        byId("warning_text").textContent = text;
        byId("warning").showModal();
        byId("warning_ok").focus();
    }

    // What the window shows after a click. What the student typed after a click that waited
    // for the module stays.
    function show(state, typed) {
        if (phrase.value === typed.phrase) setIfChanged(phrase, state.phrase);
        if (offset.value === typed.offset) setIfChanged(offset, state.offset);
        setIfChanged(byId("Text2_2"), state.result);
        if (state.showsLog) showFromStart(byId("Text1_0"), state.log);
        if (state.notice === "warning") {
            warn(state.problemTitle, state.problem);
        } else if (state.notice === "announcement") {
            announce(state.announcement);
        }
    }

    function click(index) {
        const typed = { phrase: phrase.value, offset: offset.value };
        whenStarted(lesson => show(lesson.call("click", { index, ...typed }), typed));
    }

    function bind() {
        byId("Command1_0").addEventListener("click", () => click(0));
        byId("Command1_1").addEventListener("click", () => click(1));
    }

    return { bind };
})());
