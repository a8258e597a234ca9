// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar cipher with a key word: a text encrypted and decrypted with the key word's
// letters under its own, and an encrypted text broken: the length of its key, then each
// column as a Caesar text, with the letters found for the student to change.
SECTIONS.push((() => {
    const alphabet = () => alphabetOf("vig_alphabet");
    // The column whose letter is being chosen is the one shown: shown again only when another.
    let shownColumn = -1;

    function showPairs(state) {
        byId("vig_rows").hidden = state.letters === "";
        byId("vig_rows_letters").textContent = state.lettersSaid;
        byId("vig_rows_keys").textContent = state.keyRowSaid;
        fillPairs(byId("vig_pairs"), state.letters, state.keyRow);
    }

    function show(state) {
        byId("vig_message").textContent = state.message;
        showPairs(state);
        setIfChanged(byId("vig_result"), state.result);
        showFromStart(byId("vig_trace"), state.trace);
        announce(state.announcement);
    }

    function calculate(direction) {
        const typed = { direction, text: byId("vig_text").value, keyWord: byId("vig_key").value, alphabet: alphabet() };
        whenStarted(lesson => show(lesson.call("vigenere", typed)));
    }

    // Bars of the coincidence for each length, the likeliest darker, and a line at the
    // language's.
    function drawCoincidences(chart, state) {
        const values = state.coincidences.map(c => c.thousandths);
        const language = state.languageThousandths;
        const step = 43;
        drawBars(chart, { left: 14, step, gap: 8, top: Math.max(language * 1.5, ...values, 1), values,
            names: values.map((value, i) => String(i + 1)), marked: state.likeliest - 1,
            line: () => [[10, language], [14 + values.length * step, language]] });
    }

    function rowOf(cells) {
        const row = element("tr");
        row.append(...cells);
        return row;
    }

    // A choice of letter for each column: one list of the alphabet's letters, copied.
    function fillLetters(state) {
        const choice = element("select");
        choice.append(...state.column.letters.map(l => element("option", { value: l.letter }, l.letter)));
        byId("vig_letters").replaceChildren(byId("vig_letters").firstElementChild,
            ...Array.from(state.keyWord, (chosen, column) => {
                const label = element("label", {}, `${column + 1} `);
                const select = choice.cloneNode(true);
                select.dataset.column = column;
                select.setAttribute("aria-label", state.columnNames[column]);
                select.value = chosen;
                label.append(select);
                return label;
            }));
    }

    // The column: its heading, its letters' chart and every key letter tried with its score,
    // the chosen one marked; a column's decoded letters are every few of the text's, no words
    // to read, and are left out.
    function showColumn(state) {
        const column = state.column;
        byId("vig_column_heading").textContent = state.columnHeading;
        shownColumn = state.shownColumn;
        byId("vig_comparison").textContent = column.comparison;
        drawChart(byId("vig_column_chart"), column.letters);
        byId("vig_column_keys").tBodies[0].replaceChildren(...column.rows.map((r, i) => {
            const row = rowOf([element("th", { scope: "row" }, state.columnRows[i]),
                element("td", { class: "number" }, r.score)]);
            if (r.likeliest) row.firstChild.append(" ", element("strong", {}, TEXTS.likeliestLetter));
            row.classList.toggle("chosen", i === column.chosen);
            return row;
        }));
        byId("vig_found").value = state.keyWord;
        for (const select of byId("vig_letters").querySelectorAll("select")) {
            select.value = state.keyWord[Number(select.dataset.column)];
        }
        byId("vig_decrypted").textContent = state.decrypted;
        showInBlocks(byId("vig_break_trace"), state.trace);
    }

    function showBreak(state) {
        byId("vig_break_message").textContent = state.message;
        byId("vig_break_results").hidden = !state.broken;
        if (state.broken) {
            byId("vig_language_ic").textContent = state.languageText;
            drawCoincidences(byId("vig_ic_chart"), state);
            byId("vig_ic_table").tBodies[0].replaceChildren(...state.coincidences.map((c, i) =>
                rowOf([element("th", { scope: "row" }, state.lengths[i]), element("td", { class: "number" }, c.text)])));
            byId("vig_groups").tBodies[0].replaceChildren(...state.groups.map(g => rowOf([
                element("td", { class: "letters" }, g.letters), element("td", {}, g.places),
                element("td", {}, g.distances), element("td", {}, g.divisors)])));
            byId("vig_groups_note").textContent = state.groupsNote;
            const length = byId("vig_length");
            length.replaceChildren(...state.lengths.map((text, i) => element("option", { value: i + 1 }, text)));
            length.value = String(state.length);
            fillLetters(state);
            showColumn(state);
        }
        announce(state.announcement);
    }

    function breakText() {
        const typed = { text: byId("vig_ciphertext").value, alphabet: alphabet() };
        whenStarted(lesson => showBreak(lesson.call("vigenereBreak", typed)));
    }

    function bind() {
        fillAlphabetChoice(byId("vig_alphabet"));
        byId("vig_encrypt").addEventListener("click", () => calculate("encrypt"));
        byId("vig_decrypt").addEventListener("click", () => calculate("decrypt"));
        onEnter([byId("vig_key")], () => calculate("encrypt"));
        byId("vig_take").addEventListener("click",
            () => whenStarted(() => { byId("vig_ciphertext").value = byId("vig_result").value; }));
        byId("vig_break").addEventListener("click", breakText);
        byId("vig_length").addEventListener("change", event => whenStarted(lesson => {
            const state = lesson.call("vigenereLength", { length: Number(event.target.value) });
            fillLetters(state);
            showColumn(state);
            announce(state.announcement);
        }));
        const letters = byId("vig_letters");
        letters.addEventListener("change", event => whenStarted(lesson => {
            const state = lesson.call("vigenereLetter",
                { column: Number(event.target.dataset.column), letter: event.target.value });
            showColumn(state);
            announce(state.announcement);
        }));
        letters.addEventListener("focusin", event => {
            const column = Number(event.target.dataset.column);
            if (event.target.tagName !== "SELECT" || column === shownColumn) return;
            whenStarted(lesson => showColumn(lesson.call("vigenereColumn", { column })));
        });
    }

    return { bind };
})());
