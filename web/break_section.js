// SPDX-License-Identifier: GPL-3.0-or-later
// Breaking the cipher: an encrypted text's letter counts beside the language's, every key
// with its decoded letters and score, and the decryption trace of the key chosen.
SECTIONS.push((() => {
    const keys = byId("keys");
    // Once a text is tried, another alphabet breaks it again.
    let tried = false;

    function fillFrequencies(letters) {
        byId("frequencies").tBodies[0].replaceChildren(...letters.map(l => {
            const row = element("tr");
            row.append(element("th", { scope: "row" }, l.letter),
                element("td", { class: "number" }, String(l.count)),
                element("td", { class: "number" }, l.expectedText));
            return row;
        }));
    }

    function fillKeys(rows, chosen) {
        keys.tBodies[0].replaceChildren(...rows.map((r, i) => {
            const row = element("tr", { "data-row": i });
            const offsetCell = element("td");
            const choice = element("input", { type: "radio", name: "key", value: i, id: `key_${i}` });
            choice.checked = i === chosen;
            const label = element("label", { for: `key_${i}` });
            label.append(element("span", { class: "unseen" }, `${byId("offset_header").textContent} `),
                String(r.offset));
            if (r.likeliest) label.append(" ", element("strong", {}, keys.dataset.likeliest));
            offsetCell.append(choice, " ", label);
            row.append(offsetCell, ...keyCells(r));
            row.classList.toggle("chosen", i === chosen);
            return row;
        }));
    }

    function show(state) {
        tried = state.tried;
        byId("break_message").textContent = state.message;
        byId("break_results").hidden = state.rows.length === 0;
        if (state.rows.length > 0) {
            byId("comparison").textContent = state.comparison;
            byId("expected_header").textContent = state.expectedHeading;
            drawChart(byId("chart"), state.letters);
            fillFrequencies(state.letters);
            fillKeys(state.rows, state.chosen);
            showInBlocks(byId("break_trace"), state.trace);
        }
        announce(state.announcement);
    }

    // Another key chosen: its row marked and its trace, the table left as it is, so that the
    // keyboard stays on the radio it moved to.
    function showChosen(state) {
        for (const tr of keys.tBodies[0].rows) {
            const mine = Number(tr.dataset.row) === state.chosen;
            tr.classList.toggle("chosen", mine);
            tr.querySelector("input").checked = mine;
        }
        showInBlocks(byId("break_trace"), state.trace);
    }

    function breakText() {
        const typed = { text: byId("ciphertext").value, alphabet: alphabetOf("break_alphabet") };
        whenStarted(lesson => show(lesson.call("break", typed)));
    }

    function bind() {
        fillAlphabetChoice(byId("break_alphabet"));
        byId("take_result").addEventListener("click",
            () => whenStarted(() => { byId("ciphertext").value = byId("Text2_2").value; }));
        byId("break").addEventListener("click", breakText);
        byId("break_alphabet").addEventListener("change", () => {
            if (tried) breakText();
        });
        keys.addEventListener("change",
            event => whenStarted(lesson => showChosen(lesson.call("choose", { row: Number(event.target.value) }))));
        keys.addEventListener("click", event => {
            const row = event.target.closest("tr[data-row]");
            if (row && event.target.tagName !== "INPUT") row.querySelector("input").click();
        });
    }

    return { bind };
})());
