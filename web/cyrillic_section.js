// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar cipher on the Bulgarian alphabet: its letters over their numbers, and a phrase
// encrypted by a key with the trace on those numbers.
SECTIONS.push((() => {
    // The letters over their numbers, from 0.
    function fillStrip() {
        const strip = byId("cyrillic_strip");
        strip.replaceChildren(...Array.from(strip.dataset.letters, (letter, number) => {
            const item = element("li");
            item.append(element("span", {}, letter), element("span", { class: "number" }, String(number)));
            return item;
        }));
    }

    function show(state) {
        byId("cyr_message").textContent = state.message;
        setIfChanged(byId("cyr_result"), state.result);
        showFromStart(byId("cyr_trace"), state.trace);
        announce(state.announcement);
    }

    function calculate() {
        const typed = { phrase: byId("cyr_phrase").value, key: byId("cyr_key").value };
        whenStarted(lesson => show(lesson.call("cyrillic", typed)));
    }

    function bind() {
        fillStrip();
        byId("cyr_calculate").addEventListener("click", calculate);
        onEnter([byId("cyr_phrase"), byId("cyr_key")], calculate);
    }

    return { bind };
})());
