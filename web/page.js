// SPDX-License-Identifier: GPL-3.0-or-later
// Binds the page's controls to the lesson in WebAssembly: every text a field shows comes from
// there; this only moves texts between the boxes and the module, as the desktop window does.
// The window's opening texts are in the file already, so it is usable at its first paint;
// clicks that come before the module is ready wait for it, in their order. Where the module
// cannot start, the page says why, and so does each click that needed it.
"use strict";
(function () {
    const DESIGN_WIDTH = 532;
    const DESIGN_HEIGHT = 398;
    const SVG = "http://www.w3.org/2000/svg";
    const byId = id => document.getElementById(id);
    const windowBox = byId("window");
    const phrase = byId("Text2_0");
    const offset = byId("Text2_1");
    const result = byId("Text2_2");
    const log = byId("Text1_0");
    const announcement = byId("announcement");
    const warning = byId("warning");
    const ciphertext = byId("ciphertext");
    const keys = byId("keys");
    // The buttons that do nothing without the module.
    const moduleButtons = ["Command1_0", "Command1_1", "cyr_calculate", "take_result", "break",
        "open_exercise", "next_exercise", "check_answer", "hint", "reveal", "print_sheet"].map(byId);
    let lesson = null;
    let failure = null;
    const waiting = [];

    // Narrower than the window, the whole window shrinks to the width, with nothing moved.
    function fitToWidth() {
        const scale = Math.min(1, document.documentElement.clientWidth / DESIGN_WIDTH);
        windowBox.style.transform = scale < 1 ? `scale(${scale})` : "";
        windowBox.style.marginBottom = scale < 1 ? `${DESIGN_HEIGHT * (scale - 1)}px` : "";
    }

    function setIfChanged(box, text) {
        if (box.value !== text) box.value = text;
    }

    // After each write the box shows its start, with the caret there.
    function showFromStart(box, text) {
        box.value = text;
        box.setSelectionRange(0, 0);
        box.scrollTop = 0;
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

    // Runs now with the module there, or once it is, with what was typed at the time; says
    // again why not, where it cannot start.
    function whenReady(action) {
        if (lesson) {
            run(action);
        } else if (failure) {
            announce(failure);
        } else {
            waiting.push(action);
        }
    }

    // Said below the window and through the live region.
    function showProblem(text) {
        const message = byId("unavailable");
        message.textContent = text;
        message.hidden = false;
        announce(text);
    }

    function reason(error) {
        return error && error.message ? error.message : String(error);
    }

    // An action of the lesson; a fault in the module is said, not swallowed.
    function run(action) {
        try {
            action();
        } catch (error) {
            showProblem(`Урокът не можа да изпълни действието. Причина: ${reason(error)}.`);
        }
    }

    // The module could not start: the window's texts stay readable, the buttons say that they
    // are not available, and the clicks that waited are counted, not dropped in silence.
    function fail(error) {
        if (failure) return;
        const lost = waiting.splice(0).length;
        failure = "Уроците не могат да работят в този браузър: програмният модул (WebAssembly) " +
            `не се стартира. Причина: ${reason(error)}. ` +
            (lost === 0 ? "" : lost === 1 ? "Едно натискане на бутон не беше изпълнено. "
                : `${lost} натискания на бутони не бяха изпълнени. `) +
            "Опитайте с нова версия на Chrome, Firefox, Edge или Safari, или отворете файла отново.";
        for (const button of moduleButtons) {
            button.setAttribute("aria-disabled", "true");
            button.setAttribute("aria-describedby", "unavailable");
        }
        showProblem(failure);
        document.documentElement.dataset.failed = "true";
    }

    function click(index) {
        const typedPhrase = phrase.value;
        const typedOffset = offset.value;
        whenReady(() => {
            const state = lesson.call("click", { index, phrase: typedPhrase, offset: typedOffset });
            // What the student typed after a click that waited for the module stays.
            if (phrase.value === typedPhrase) setIfChanged(phrase, state.phrase);
            if (offset.value === typedOffset) setIfChanged(offset, state.offset);
            setIfChanged(result, state.result);
            if (state.showsLog) showFromStart(log, state.log);
            if (state.notice === "warning") {
                warn(state.problemTitle, state.problem);
            } else if (state.notice === "announcement") {
                announce(state.announcement);
            }
        });
    }

    // Each section's choice of alphabet, from the one template.
    function fillAlphabetChoices() {
        for (const choice of document.querySelectorAll("fieldset.alphabet_choice")) {
            choice.append(byId("alphabet_choice").content.cloneNode(true));
            for (const radio of choice.querySelectorAll("input")) radio.name = choice.id;
        }
    }

    // The letters of the Bulgarian alphabet over their numbers, 0 to 29.
    function fillStrip() {
        const strip = byId("cyrillic_strip");
        strip.replaceChildren(...Array.from(strip.dataset.letters, (letter, number) => {
            const item = element("li");
            item.append(element("span", {}, letter), element("span", { class: "number" }, String(number)));
            return item;
        }));
    }

    function calculateCyrillic() {
        const typed = { phrase: byId("cyr_phrase").value, key: byId("cyr_key").value };
        whenReady(() => {
            const state = lesson.call("cyrillic", typed);
            byId("cyr_message").textContent = state.message;
            setIfChanged(byId("cyr_result"), state.result);
            showFromStart(byId("cyr_trace"), state.trace);
            announce(state.announcement);
        });
    }

    // The alphabet chosen in a group of radios named so.
    function alphabetOf(name) {
        return document.querySelector(`input[name=${name}]:checked`).value;
    }

    function element(name, attributes, text) {
        const node = document.createElementNS(name.startsWith("svg:") ? SVG : "http://www.w3.org/1999/xhtml",
            name.replace("svg:", ""));
        for (const [key, value] of Object.entries(attributes || {})) node.setAttribute(key, value);
        if (text !== undefined) node.textContent = text;
        return node;
    }

    // Bars of the text's letter counts, and over them the language's counts shifted by the
    // likeliest offset, on one scale: 26 or 30 letters across the same width.
    function drawChart(chart, letters) {
        const height = 160;
        const step = Math.floor(520 / letters.length);
        const expected = letters.map(l => l.expectedThousandths / 1000);
        const top = Math.max(1, ...letters.map((l, i) => Math.max(l.count, expected[i])));
        const y = value => 10 + height - value / top * height;
        const bars = letters.map((l, i) => element("svg:rect", { class: "count", x: 12 + i * step,
            y: y(l.count), width: step - 6, height: height + 10 - y(l.count) }));
        const middle = i => 12 + i * step + (step - 6) / 2;
        const names = letters.map((l, i) => element("svg:text", { x: middle(i), y: 190, "text-anchor": "middle" }, l.letter));
        const line = element("svg:polyline", { class: "expected",
            points: expected.map((e, i) => `${middle(i)},${y(e)}`).join(" ") });
        chart.replaceChildren(...bars, line, ...names);
    }

    function fillFrequencies(letters) {
        byId("frequencies").tBodies[0].replaceChildren(...letters.map((l, i) => {
            const row = element("tr");
            row.append(element("th", { scope: "row" }, l.letter),
                element("td", { class: "number" }, String(l.count)),
                element("td", { class: "number" }, l.expectedText));
            return row;
        }));
    }

    // A key's decoded letters and score, as both tables of keys show them.
    function keyCells(r) {
        return [element("td", { class: "decoded" }, r.decoded), element("td", { class: "number" }, r.score)];
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
            if (i === 0) label.append(" ", element("strong", {}, keys.dataset.likeliest));
            offsetCell.append(choice, " ", label);
            row.append(offsetCell, ...keyCells(r));
            row.classList.toggle("chosen", i === chosen);
            return row;
        }));
    }

    // The trace in blocks of lines, each laid out only once it scrolls into view: a text of
    // 2,000 letters shows within a frame.
    function showTrace(text) {
        const BLOCK = 100;
        const LINE_HEIGHT = 19;
        const lines = text.split("\n");
        const blocks = [];
        for (let first = 0; first < lines.length; first += BLOCK) {
            const block = lines.slice(first, first + BLOCK);
            const node = element("span", { style: `contain-intrinsic-size: auto ${block.length * LINE_HEIGHT}px` },
                block.join("\n") + (first + BLOCK < lines.length ? "\n" : ""));
            blocks.push(node);
        }
        const box = byId("break_trace");
        box.replaceChildren(...blocks);
        box.scrollTop = 0;
    }

    function choose(row) {
        const state = lesson.call("choose", { row });
        for (const tr of keys.tBodies[0].rows) {
            const mine = Number(tr.dataset.row) === state.chosen;
            tr.classList.toggle("chosen", mine);
            tr.querySelector("input").checked = mine;
        }
        showTrace(state.trace);
    }

    function breakText() {
        const text = ciphertext.value;
        const alphabet = alphabetOf("break_alphabet");
        whenReady(() => {
            const state = lesson.call("break", { text, alphabet });
            byId("break_message").textContent = state.message;
            byId("break_results").hidden = state.rows.length === 0;
            if (state.rows.length > 0) {
                byId("comparison").textContent = state.comparison;
                byId("expected_header").textContent = state.expectedHeading;
                drawChart(byId("chart"), state.letters);
                fillFrequencies(state.letters);
                fillKeys(state.rows, state.chosen);
                showTrace(state.trace);
            }
            announce(state.announcement);
        });
    }

    // The exercises: what the section shows of an exercise after each action.
    function showExercise(state) {
        // A number refused stays in its box, to be mended, and the kind and alphabet chosen stay.
        if (state.message === "") {
            byId("exercise_number").value = String(state.number);
            for (const choice of document.getElementsByName("exercise_kind")) choice.checked = choice.value === state.kind;
            for (const choice of document.getElementsByName("exercise_alphabet")) choice.checked = choice.value === state.alphabet;
        }
        byId("exercise_message").textContent = state.message;
        byId("exercise_task").textContent = state.task;
        const findKey = state.kind === "findKey";
        byId("key_row").hidden = !findKey;
        byId("hint").hidden = !findKey;
        byId("check_result").hidden = !state.checked;
        byId("check_summary").textContent = state.verdict;
        byId("marked").replaceChildren(...state.marks.map(markedLetter));
        byId("wrong_lines").replaceChildren(...state.marks.filter(m => m.line !== "")
            .map(m => element("li", {}, `Място ${m.place}: ${m.line}`)));
        byId("hints").hidden = state.hints === 0;
        byId("hints_used").textContent = state.hintsUsed;
        if (state.breaking) {
            drawChart(byId("hint_chart"), state.breaking.letters);
            byId("hint_comparison").textContent = state.breaking.comparison;
        }
        byId("commonest_hint").hidden = state.hints < 2;
        byId("commonest_hint").textContent = state.commonest;
        byId("hint_keys_box").hidden = state.hints < 3;
        if (state.hints >= 3) {
            byId("hint_keys").tBodies[0].replaceChildren(...state.breaking.rows.map(r => {
                const row = element("tr");
                row.append(element("th", { scope: "row" }, String(r.offset)), ...keyCells(r));
                return row;
            }));
        }
        byId("exercise_answer_shown").hidden = state.answer === "";
        byId("exercise_answer_shown").textContent = state.answer === "" ? "" : `Отговорът: ${state.answer}`;
        byId("score").textContent = state.score;
        announce(state.announcement);
    }

    // One letter of the checked answer, marked by more than colour: a wrong one struck through
    // with the right one after it, a missing one underlined, one too many struck through; each
    // mark says what it is and where.
    function markedLetter(mark) {
        if (mark.kind === "right") return document.createTextNode(mark.given);
        const span = element("span", { class: mark.kind });
        const place = element("sup", {}, String(mark.place));
        // Where the key is still to be found, the right letters are not given.
        if (mark.kind === "wrong") {
            span.title = `Място ${mark.place}: ${mark.given} е грешна`;
            span.append(element("s", {}, mark.given), element("ins", {}, mark.expected), place);
        } else if (mark.kind === "missing") {
            span.title = `Място ${mark.place}: липсва буква`;
            span.append(element("ins", {}, mark.expected || "_"), place);
        } else {
            span.title = `Излишна буква ${mark.given}`;
            span.append(element("s", {}, mark.given));
        }
        return span;
    }

    function exerciseAction(action, args) {
        whenReady(() => showExercise(lesson.call(action, args)));
    }

    function openExercise() {
        const chosen = document.querySelector("input[name=exercise_kind]:checked");
        exerciseAction("exercise", { kind: chosen.value, number: byId("exercise_number").value,
            alphabet: alphabetOf("exercise_alphabet") });
    }

    function checkAnswer() {
        exerciseAction("checkAnswer", { answer: byId("exercise_answer").value, key: byId("exercise_key").value });
    }

    // The teacher's sheets: a page for each variant, with room to write under each exercise,
    // then the answers of every variant; then the browser's print dialog.
    function printSheet() {
        const kinds = Array.from(document.querySelectorAll("#sheet_kinds input:checked"), box => box.value).join(",");
        const choices = { kinds, perSheet: byId("sheet_per").value, variants: byId("sheet_variants").value,
            first: byId("sheet_first").value, alphabet: alphabetOf("sheet_alphabet") };
        whenReady(() => {
            const sheet = lesson.call("sheet", choices);
            byId("sheet_message").textContent = sheet.message;
            if (sheet.message !== "") {
                announce(sheet.message);
                return;
            }
            // The same number is another exercise in the other alphabet: the Cyrillic sheets say so.
            const variant = v => `Вариант ${v + 1}${choices.alphabet === "cyrillic" ? " (на кирилица)" : ""}`;
            const pages = sheet.variants.map((exercises, v) => {
                const size = exercises.length > 10 ? "8pt" : exercises.length > 5 ? "9.5pt" : "11pt";
                const page = element("section", { class: "sheet_page", style: `font-size: ${size}` });
                page.append(element("h1", {}, variant(v)), element("p", {}, "Име: ______________________  Клас: ______"));
                for (const exercise of exercises) {
                    const block = element("div", { class: "sheet_exercise" });
                    block.append(element("p", { class: "sheet_task" }, `Упражнение ${exercise.number}. ${exercise.task}`),
                        element("div", { class: "sheet_room" }));
                    page.append(block);
                }
                return page;
            });
            const answers = element("section", { class: "sheet_answers" });
            answers.append(element("h1", {}, "Отговори"), ...sheet.variants.map((exercises, v) => {
                const key = element("div", { class: "sheet_key" });
                const list = element("ul");
                list.append(...exercises.map(exercise => element("li", {}, `Упражнение ${exercise.number}: ${exercise.answer}`)));
                key.append(element("h2", {}, variant(v)), list);
                return key;
            }));
            byId("print_sheets").replaceChildren(...pages, answers);
            window.print();
        });
    }

    // The module's WebAssembly, decoded and handed to the browser to compile on threads of its
    // own; a broken copy of the file fails here.
    let compiling = null;
    function compileModule() {
        compiling = new Promise(resolve => {
            const binary = atob(byId("module_wasm").textContent);
            const bytes = new Uint8Array(binary.length);
            for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
            resolve(WebAssembly.compile(bytes));
        });
        compiling.catch(() => {});
    }

    // The module's script, run as a script of the page once the window has painted, with the
    // compiled WebAssembly.
    function loadModule() {
        try {
            const script = document.createElement("script");
            script.textContent = byId("module").textContent;
            document.body.append(script);
            const instantiateWasm = (imports, receive) => {
                compiling.then(module => WebAssembly.instantiate(module, imports)).then(receive).catch(fail);
                return {};
            };
            CaesarLesson({ instantiateWasm }).then(wasm => {
                lesson = bindLesson(wasm);
                for (const action of waiting.splice(0)) run(action);
                document.documentElement.dataset.ready = "true";
                // In a task of its own: the window's clicks need no exercise.
                setTimeout(() => run(() => showExercise(lesson.call("showExercise"))));
            }).catch(fail);
        } catch (error) {
            fail(error);
        }
    }

    // Before the first frame is drawn, not now: reading the width now would lay the page out
    // while it is still being read.
    requestAnimationFrame(fitToWidth);
    window.addEventListener("resize", fitToWidth);
    byId("Command1_0").addEventListener("click", () => click(0));
    byId("Command1_1").addEventListener("click", () => click(1));
    fillAlphabetChoices();
    fillStrip();
    byId("cyr_calculate").addEventListener("click", calculateCyrillic);
    for (const box of [byId("cyr_phrase"), byId("cyr_key")]) {
        box.addEventListener("keydown", event => {
            if (event.key === "Enter") calculateCyrillic();
        });
    }
    // Another alphabet breaks the same text again, once it has been broken.
    byId("break_alphabet").addEventListener("change", () => {
        if (!byId("break_results").hidden || byId("break_message").textContent !== "") breakText();
    });
    byId("exercise_alphabet").addEventListener("change", openExercise);
    byId("take_result").addEventListener("click", () => whenReady(() => { ciphertext.value = result.value; }));
    byId("break").addEventListener("click", breakText);
    byId("open_exercise").addEventListener("click", openExercise);
    byId("exercise_kinds").addEventListener("change", openExercise);
    byId("exercise_number").addEventListener("keydown", event => {
        if (event.key === "Enter") openExercise();
    });
    byId("next_exercise").addEventListener("click", () => exerciseAction("nextExercise"));
    byId("check_answer").addEventListener("click", checkAnswer);
    byId("exercise_answer").addEventListener("keydown", event => {
        if (event.key === "Enter" && !event.shiftKey) {
            event.preventDefault();
            checkAnswer();
        }
    });
    byId("hint").addEventListener("click", () => exerciseAction("hint"));
    byId("reveal").addEventListener("click", () => exerciseAction("reveal"));
    byId("print_sheet").addEventListener("click", printSheet);
    keys.addEventListener("change", event => choose(Number(event.target.value)));
    keys.addEventListener("click", event => {
        const row = event.target.closest("tr[data-row]");
        if (row && event.target.tagName !== "INPUT") row.querySelector("input").click();
    });
    document.documentElement.dataset.usable = "true";
    // Once the window has painted, so that starting the module does not hold the first paint
    // back, and the file is read to its end, where the module stands: its WebAssembly compiles
    // on the browser's own threads while the module's script is read. A page that is not shown
    // paints nothing, so it starts the module a moment after the file is read.
    let painted = false;
    let started = false;
    function startModule() {
        if (painted && !started && document.readyState !== "loading") {
            started = true;
            compileModule();
            setTimeout(loadModule);
        }
    }
    function paint() {
        painted = true;
        startModule();
    }
    new PerformanceObserver(paint).observe({ type: "paint", buffered: true });
    document.addEventListener("DOMContentLoaded", () => {
        startModule();
        setTimeout(paint, 1000);
    });
})();
