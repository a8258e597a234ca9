// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's sheets: a page for each variant, with room to write under each exercise,
// then the answers of every variant; then the browser's print dialog.
const sheetSection = (() => {
    // A page's exercises share its height: the more of them, the smaller their type.
    function typeSize(exercises) {
        return exercises.length > 10 ? "8pt" : exercises.length > 5 ? "9.5pt" : "11pt";
    }

    function show(sheet) {
        byId("sheet_message").textContent = sheet.message;
        if (sheet.message !== "") {
            announce(sheet.message);
            return;
        }
        const pages = sheet.variants.map(variant => {
            const page = element("section", { class: "sheet_page", style: `font-size: ${typeSize(variant.exercises)}` });
            page.append(element("h1", {}, variant.heading), element("p", {}, sheet.nameLine));
            for (const exercise of variant.exercises) {
                const block = element("div", { class: "sheet_exercise" });
                block.append(element("p", { class: "sheet_task" }, exercise.task), element("div", { class: "sheet_room" }));
                page.append(block);
            }
            return page;
        });
        const answers = element("section", { class: "sheet_answers" });
        answers.append(element("h1", {}, sheet.answersHeading), ...sheet.variants.map(variant => {
            const key = element("div", { class: "sheet_key" });
            const list = element("ul");
            list.append(...variant.exercises.map(exercise => element("li", {}, exercise.answer)));
            key.append(element("h2", {}, variant.heading), list);
            return key;
        }));
        byId("print_sheets").replaceChildren(...pages, answers);
        window.print();
    }

    function choices() {
        return { kinds: Array.from(document.querySelectorAll("#sheet_kinds input:checked"), box => box.value),
            perSheet: byId("sheet_per").value, variants: byId("sheet_variants").value,
            first: byId("sheet_first").value, alphabet: alphabetOf("sheet_alphabet") };
    }

    function print() {
        const chosen = choices();
        whenReady(lesson => {
            document.documentElement.dataset.printing = "sheets";
            show(lesson.call("sheet", chosen));
        });
    }

    // The same choices as a code for the board, and as a link to this page with it.
    function makeAssignment() {
        const chosen = choices();
        whenReady(lesson => {
            const made = lesson.call("assignmentCode", chosen);
            byId("sheet_message").textContent = made.message;
            byId("assignment_made").hidden = made.code === "";
            byId("board_code").textContent = made.code;
            const link = location.href.split("#")[0] + "#" + made.code;
            byId("assignment_link").href = link;
            byId("assignment_link").textContent = link;
            announce(made.message || made.code);
        });
    }

    function bind() {
        fillAlphabetChoice(byId("sheet_alphabet"));
        fillChoices(byId("sheet_kinds"), "checkbox", "sheet_kind", TEXTS.kinds, kind => kind.onNewSheet);
        byId("print_sheet").addEventListener("click", print);
        byId("make_assignment").addEventListener("click", makeAssignment);
    }

    return { bind };
})();
