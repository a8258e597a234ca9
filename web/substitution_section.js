// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution cipher: a text encrypted and decrypted with a mixed alphabet shown over the
// plain one, and an encrypted text solved by hand, a guess under each cipher letter, or broken
// by the page, with the climb of its score.
SECTIONS.push((() => {
    function showPairs(state) {
        byId("sub_rows").hidden = state.key === "";
        byId("sub_rows_plain").textContent = state.plainSaid;
        byId("sub_rows_key").textContent = state.keySaid;
        fillPairs(byId("sub_pairs"), state.plain, state.key);
    }

    function calculate(direction) {
        const typed = { direction, text: byId("sub_text").value, key: byId("sub_key").value,
            alphabet: alphabetOf("sub_alphabet") };
        whenStarted(lesson => {
            const state = lesson.call("substitution", typed);
            byId("sub_message").textContent = state.message;
            showPairs(state);
            setIfChanged(byId("sub_result"), state.result);
            showFromStart(byId("sub_trace"), state.trace);
            announce(state.announcement);
        });
    }

    // The score after each trade, as a line rising from left to right.
    function drawClimb(chart, climb) {
        const low = Math.min(...climb);
        const high = Math.max(...climb, low + 1);
        const x = i => 10 + i * 520 / Math.max(1, climb.length - 1);
        const y = score => 180 - (score - low) / (high - low) * 170;
        chart.replaceChildren(element("svg:polyline",
            { class: "expected", points: climb.map((score, i) => `${x(i)},${y(score)}`).join(" ") }));
    }

    // A column for each cipher letter: the letter, its count, a box for the guess and the
    // language's letter of the same rank; built anew for each text, the guesses set after.
    function fillLetters(state) {
        const table = byId("sub_letters");
        const shown = state.rows.map(row => row.letter).join("");
        if (table.dataset.letters === shown) return;
        table.dataset.letters = shown;
        const [letters, counts, guesses, common] = table.tBodies[0].rows;
        const cells = (row, make) => row.replaceChildren(row.cells[0], ...state.rows.map(make));
        cells(letters, r => element("th", { scope: "col", class: "letters" }, r.letter));
        cells(counts, r => element("td", { class: "number" }, String(r.count)));
        cells(guesses, r => {
            const cell = element("td");
            cell.append(element("input", { type: "text", maxlength: "1", class: "letters", "data-letter": r.letter,
                "aria-label": r.label, autocomplete: "off", spellcheck: "false" }));
            return cell;
        });
        cells(common, r => element("td", { class: "letters" }, r.common));
    }

    function showSolving(state) {
        byId("sub_solve_message").textContent = state.message;
        byId("sub_solving").hidden = !state.solving;
        fillLetters(state);
        for (const [i, row] of state.rows.entries()) {
            const box = byId("sub_letters").tBodies[0].rows[2].cells[i + 1].firstChild;
            setIfChanged(box, row.guess);
            box.classList.toggle("clash", row.clash);
            box.setAttribute("aria-invalid", String(row.clash));
            if (row.clash) box.setAttribute("aria-describedby", "sub_solve_message");
            else box.removeAttribute("aria-describedby");
        }
        byId("sub_solved").textContent = state.solved;
        byId("sub_found").value = state.key;
        byId("sub_climb").hidden = state.climb.length === 0;
        byId("sub_climb_note").textContent = state.climbNote;
        if (state.climb.length > 0) drawClimb(byId("sub_climb_chart"), state.climb);
        byId("sub_hints").replaceChildren(...state.hints.map(hint => element("li", {}, hint)));
        byId("sub_hints").hidden = byId("sub_hints_title").hidden = state.hints.length === 0;
        announce(state.announcement);
    }

    const typedText = () => ({ text: byId("sub_ciphertext").value, alphabet: alphabetOf("sub_alphabet") });
    // Each starts on the text typed: breaking and hints keep the guesses of the same text.
    const act = action => {
        const typed = typedText();
        whenStarted(lesson => showSolving(lesson.call(action, typed)));
    };

    function bind() {
        fillAlphabetChoice(byId("sub_alphabet"));
        byId("sub_encrypt").addEventListener("click", () => calculate("encrypt"));
        byId("sub_decrypt").addEventListener("click", () => calculate("decrypt"));
        onEnter([byId("sub_key")], () => calculate("encrypt"));
        byId("sub_take").addEventListener("click",
            () => whenStarted(() => { byId("sub_ciphertext").value = byId("sub_result").value; }));
        byId("sub_start").addEventListener("click", () => act("solvingStart"));
        byId("sub_break").addEventListener("click", () => act("solvingBreak"));
        byId("sub_hint").addEventListener("click", () => act("solvingHint"));
        byId("sub_letters").addEventListener("input", event => {
            const box = event.target;
            whenStarted(lesson => showSolving(lesson.call("solvingGuess", { letter: box.dataset.letter, guess: box.value })));
        });
    }

    return { bind };
})());
