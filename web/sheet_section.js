// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's sheets: a page for each variant, with a box under each letter given, the lines
// of a calculation with their blanks, or room to write; then the answers of every variant;
// then the browser's print dialog.
SECTIONS.push((() => {
    // A page's exercises share its height: the more of them, the smaller their type, and with
    // it their boxes, which are sized in em. Every variant gets the same type, the largest, in
    // quarter points, at which each page holds its exercises, so that no student's is harder to
    // read. Each page is tried alone in the sheets' place, where it is all there is to lay out.
    const LARGEST_TYPE = 11;
    const SMALLEST_TYPE = 4;
    // A page holds its exercises when they leave it at its least height, give or take rounding.
    function fits(page, points) {
        page.style.fontSize = `${points}pt`;
        return page.getBoundingClientRect().height <= parseFloat(getComputedStyle(page).minHeight) + 0.5;
    }

    function fitType(pages) {
        const place = byId("print_sheets");
        place.classList.add("fitting");
        let size = LARGEST_TYPE;
        for (const page of pages) {
            place.replaceChildren(page);
            if (fits(page, size)) continue;
            let [low, high] = [SMALLEST_TYPE, size];
            while (high - low > 0.25) {
                const middle = Math.round((low + high) * 2) / 4;
                [low, high] = fits(page, middle) ? [middle, high] : [low, middle];
            }
            size = low;
        }
        place.classList.remove("fitting");
        for (const page of pages) page.style.fontSize = `${size}pt`;
    }

    // Each letter given above an empty box, the boxes of a group side by side; a line breaks
    // only between groups.
    function letterBoxes(groups) {
        const row = element("div", { class: "sheet_letters" });
        row.append(...groups.map(group => {
            const boxes = element("span", { class: "sheet_group" });
            boxes.append(...Array.from(group, letter => element("span", { class: "sheet_cell" }, letter)));
            return boxes;
        }));
        return row;
    }

    // A calculation's headings, each followed by its lines with their blanks, in columns as
    // many as fit.
    function calculationLines(blocks) {
        const lines = element("div", { class: "sheet_calculation" });
        for (const block of blocks) {
            lines.append(element("p", {}, block.heading), ...block.lines.map(line => element("div", {}, line)));
        }
        return lines;
    }

    function exerciseBlock(exercise, keyLabel) {
        const block = element("div", { class: "sheet_exercise" });
        block.append(element("p", { class: "sheet_task" }, exercise.task));
        if (exercise.groups.length > 0) {
            block.append(letterBoxes(exercise.groups));
        } else if (exercise.calculation.length > 0) {
            block.append(calculationLines(exercise.calculation));
        } else {
            if (exercise.keyBoxes) {
                const key = element("p", { class: "sheet_key_boxes" }, keyLabel);
                key.append(...Array.from({ length: exercise.keyBoxes }, () => element("span", { class: "sheet_box" })));
                block.append(key);
            }
            block.append(element("div", { class: "sheet_room" }));
        }
        return block;
    }

    function show(sheet) {
        byId("sheet_message").textContent = sheet.message;
        if (sheet.message !== "") {
            announce(sheet.message);
            return;
        }
        const pages = sheet.variants.map(variant => {
            const page = element("section", { class: "sheet_page" });
            page.append(element("h1", {}, variant.heading), element("p", {}, sheet.nameLine),
                ...variant.exercises.map(exercise => exerciseBlock(exercise, sheet.keyLabel)));
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
        fitType(pages);
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
})());
