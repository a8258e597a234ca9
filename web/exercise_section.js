// SPDX-License-Identifier: GPL-3.0-or-later
// The exercises: one by its kind, alphabet and number, or an assignment's in turn; an answer
// checked letter by letter, the hints for finding a key, the answer on request, and the score;
// the work, which classWork keeps, handed in as a file or forgotten.
SECTIONS.push((() => {
    // One letter of the checked answer, marked by more than colour: a wrong one struck through
    // with the right one after it, a missing one underlined, one too many struck through; each
    // mark says what it is and where. Where the key is still to be found, no letter is marked.
    function markedLetter(mark) {
        if (mark.kind === "right") return document.createTextNode(mark.given);
        const span = element("span", { class: mark.kind, title: mark.sentence });
        if (mark.kind === "wrong") {
            span.append(element("s", {}, mark.given), element("ins", {}, mark.expected));
        } else if (mark.kind === "missing") {
            span.append(element("ins", {}, mark.expected));
        } else {
            span.append(element("s", {}, mark.given));
        }
        if (mark.kind !== "extra") span.append(element("sup", {}, String(mark.place)));
        return span;
    }

    // The window's arithmetic: its lines with a box for each blank, built once for each
    // exercise; the boxes' values travel joined in the answer box, as the work keeps them.
    // A checked box is marked by its outline and aria-invalid, with its reason listed after.
    function showCalculation(state) {
        const shown = byId("calculation");
        const calculation = state.calculation;
        shown.hidden = calculation === null;
        byId("answer_label").hidden = byId("exercise_answer").hidden = calculation !== null;
        if (calculation === null) {
            shown.replaceChildren();
            delete shown.dataset.exercise;
            return;
        }
        if (shown.dataset.exercise !== state.exercise) {
            const line = written => {
                const paragraph = element("p");
                written.texts.forEach((text, i) => {
                    paragraph.append(text);
                    if (i < written.boxes.length) {
                        paragraph.append(element("input", { type: "text", class: "calc_box", maxlength: String(TEXTS.boxCap),
                            autocomplete: "off", spellcheck: "false", "aria-label": calculation.names[written.boxes[i]],
                            "data-box": String(written.boxes[i]) }));
                    }
                });
                return paragraph;
            };
            shown.replaceChildren(element("p", {}, calculation.encodeHeading), ...calculation.encode.map(line),
                element("p", {}, calculation.decodeHeading), ...calculation.decode.map(line));
            shown.dataset.exercise = state.exercise;
        }
        const values = state.typedAnswer.split(TEXTS.boxSeparator);
        for (const box of shown.querySelectorAll("input")) {
            const at = Number(box.dataset.box);
            setIfChanged(box, values[at] || "");
            const mark = state.boxMarks[at] ?? { right: false, wrong: false };
            box.classList.toggle("wrong", mark.wrong);
            box.classList.toggle("right", mark.right);
            box.setAttribute("aria-invalid", String(mark.wrong));
        }
    }

    // The joining character typed into a box would move every box after it.
    function boxesTyped(event) {
        const separator = TEXTS.boxSeparator;
        if (event.target.value.includes(separator)) event.target.value = event.target.value.replaceAll(separator, "");
        byId("exercise_answer").value = Array.from(byId("calculation").querySelectorAll("input"), box => box.value).join(separator);
        sendTyped();
    }

    // The answer and key as typed go to the exercise's work at once. Before the module is
    // ready, what is typed stays in the boxes, for the exercise opened.
    function sendTyped() {
        if (!lesson) return;
        whenReady(lesson => lesson.call("type", { answer: byId("exercise_answer").value, key: byId("exercise_key").value, now: Date.now() }));
        classWork.saveSoon();
    }

    function showHints(state) {
        byId("solving_hints").hidden = state.solvingHints.length === 0;
        byId("solving_hints_used").textContent = state.hintsUsed;
        byId("solving_hint_list").replaceChildren(...state.solvingHints.map(hint => element("li", {}, hint)));
        byId("hints").hidden = !state.showsChart;
        byId("hints_used").textContent = state.hintsUsed;
        if (state.showsChart) {
            drawChart(byId("hint_chart"), state.breaking.letters);
            byId("hint_comparison").textContent = state.breaking.comparison;
        }
        byId("commonest_hint").hidden = !state.showsCommonest;
        byId("commonest_hint").textContent = state.commonest;
        byId("hint_keys_box").hidden = !state.showsKeys;
        if (state.showsKeys) {
            byId("hint_keys").tBodies[0].replaceChildren(...state.breaking.rows.map(r => {
                const row = element("tr");
                row.append(element("th", { scope: "row" }, String(r.offset)), ...keyCells(r));
                return row;
            }));
        }
    }

    // The answer and key boxes show the open exercise's own, as last typed: what was typed for
    // another is kept with it. With `fill`, after the kept work is read back or forgotten, the
    // student's boxes and the assignment's too.
    function show(state, fill) {
        setIfChanged(byId("exercise_answer"), state.typedAnswer);
        setIfChanged(byId("exercise_key"), state.typedKey);
        if (fill) {
            byId("student_name").value = state.studentName;
            byId("student_class").value = state.studentClass;
            byId("student_number").value = state.studentNumber;
            byId("assignment_code").value = state.assignment;
            byId("assignment_variant").value = state.variant ? String(state.variant) : "";
        }
        // A code refused stays in its box, to be mended.
        byId("assignment_message").textContent = state.assignmentMessage;
        byId("assigned_row").hidden = state.assignment === "";
        byId("assigned_place").textContent = state.assignedPlace;
        // A number refused stays in its box, to be mended, and the kind and alphabet chosen stay.
        if (state.accepted) {
            byId("exercise_number").value = String(state.number);
            for (const choice of document.getElementsByName("exercise_kind")) choice.checked = choice.value === state.kind;
            for (const choice of document.getElementsByName("exercise_alphabet")) choice.checked = choice.value === state.alphabet;
        }
        byId("exercise_message").textContent = state.message;
        byId("exercise_task").textContent = state.task;
        byId("key_row").hidden = !state.findsKey;
        byId("hint").hidden = !state.findsKey && !state.solves;
        byId("check_result").hidden = !state.checked;
        byId("check_summary").textContent = state.verdict;
        byId("diagnosis").hidden = state.diagnosis === "";
        byId("diagnosis_sentence").textContent = state.diagnosis;
        byId("diagnosis_lines").replaceChildren(...state.diagnosisLines.filter(l => l !== "").flatMap((l, i) => i ? [element("br"), l] : [l]));
        byId("missing_note").textContent = state.missingNote;
        byId("marked").replaceChildren(...state.marks.map(markedLetter));
        byId("wrong_lines").replaceChildren(...state.marks.filter(m => m.line !== "").map(m => element("li", {}, m.line)),
            ...state.boxMarks.filter(m => m.reason !== "").map(m => element("li", {}, m.reason)));
        showCalculation(state);
        showHints(state);
        byId("exercise_answer_shown").hidden = state.answer === "";
        byId("exercise_answer_shown").textContent = state.answer;
        byId("score").textContent = state.score;
        byId("solved_count").textContent = String(state.solvedCount);
        byId("solved_badge").hidden = state.solvedCount === 0;
        announce(state.announcement);
    }

    function act(action, args) {
        whenReady(lesson => {
            show(lesson.call(action, { ...args, now: Date.now() }));
            // Kept after the frame that shows the action's outcome.
            setTimeout(() => run(classWork.save));
        });
    }

    function open() {
        act("exercise", { kind: document.querySelector("input[name=exercise_kind]:checked").value,
            number: byId("exercise_number").value, alphabet: alphabetOf("exercise_alphabet") });
    }

    function check() {
        act("checkAnswer", { answer: byId("exercise_answer").value, key: byId("exercise_key").value });
    }

    function handIn() {
        whenReady(lesson => {
            const handed = lesson.call("handIn", { name: byId("student_name").value,
                className: byId("student_class").value, number: byId("student_number").value, now: Date.now() });
            classWork.save(lesson);
            if (handed.message === "") download(handed.fileName, handed.text, "text/plain;charset=utf-8");
            const said = handed.message || handed.saved;
            byId("hand_in_message").textContent = said;
            announce(said);
        });
    }

    // Another tab's work taken in, or forgotten there. It opens no exercise here, so a number
    // being typed stays in its box.
    function showMerged(merged) {
        if (merged.forgotten) byId("hand_in_message").textContent = "";
        const typed = byId("exercise_number").value;
        show(merged.state, merged.forgotten);
        byId("exercise_number").value = typed;
    }

    function forget() {
        if (!window.confirm(TEXTS.forgetQuestion)) return;
        whenReady(lesson => {
            show(lesson.call("forget", { now: Date.now() }), true);
            byId("hand_in_message").textContent = "";
            classWork.forget(lesson);
        });
    }

    // An assignment's link, the page's address with the code after "#": the code is typed in
    // for the student, who gives the variant; an assignment already begun with it stays.
    function opened(lesson) {
        const code = location.hash.slice(1);
        if (!lesson.call("linkedCode", { linked: code, typed: byId("assignment_code").value }).isNew) return;
        byId("assignment_code").value = code;
        byId("assignment_message").textContent = TEXTS.enterVariant;
        announce(TEXTS.enterVariant);
        byId("assignment_variant").focus();
        byId("assignment_title").scrollIntoView();
    }

    function bind() {
        fillAlphabetChoice(byId("exercise_alphabet"));
        fillChoices(byId("exercise_kinds"), "radio", "exercise_kind", TEXTS.kinds);
        byId("exercise_alphabet").addEventListener("change", open);
        byId("exercise_kinds").addEventListener("change", open);
        byId("open_exercise").addEventListener("click", open);
        onEnter([byId("exercise_number")], open);
        byId("next_exercise").addEventListener("click", () => act("nextExercise"));
        byId("check_answer").addEventListener("click", check);
        onEnter([byId("exercise_answer"), byId("calculation")], check);
        byId("hint").addEventListener("click", () => act("hint"));
        byId("reveal").addEventListener("click", () => act("reveal"));
        const openAssignment = () => act("assignment", { code: byId("assignment_code").value,
            variant: byId("assignment_variant").value });
        byId("open_assignment").addEventListener("click", openAssignment);
        onEnter([byId("assignment_code"), byId("assignment_variant")], openAssignment);
        byId("next_assigned").addEventListener("click", () => act("nextAssigned"));
        for (const box of [byId("exercise_answer"), byId("exercise_key")]) box.addEventListener("input", sendTyped);
        byId("calculation").addEventListener("input", boxesTyped);
        byId("hand_in_button").addEventListener("click", handIn);
        byId("forget_progress").addEventListener("click", forget);
        // The teacher's link opened in a tab that has the page already.
        addEventListener("hashchange", () => whenReady(opened));
    }

    // The exercise the module opens with, the one the kept work left open, before any action
    // of this section acts on it. What was typed before the kept work was read back stays: the
    // answer and key for the exercise opened, and the student's and the assignment's boxes over
    // what was kept.
    function restore(lesson) {
        const typed = { answer: byId("exercise_answer").value, key: byId("exercise_key").value };
        const filled = ["student_name", "student_class", "student_number", "assignment_code", "assignment_variant"]
            .map(id => [byId(id), byId(id).value]).filter(([, value]) => value !== "");
        const kept = classWork.kept();
        const state = kept === null ? lesson.call("showExercise") : lesson.call("restore", { kept, now: Date.now() });
        show(state, kept !== null);
        for (const [box, value] of filled) box.value = value;
        if (typed.answer !== "" || typed.key !== "") {
            lesson.call("type", typed);
            byId("exercise_answer").value = typed.answer;
            byId("exercise_key").value = typed.key;
        }
        classWork.restored(state.keptNote, showMerged);
        opened(lesson);
    }

    return { bind, restore };
})());
