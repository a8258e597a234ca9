// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's sheets: a page for each variant, with a box under each letter given, the lines
// of a calculation with their blanks, or room to write; then the answers of every variant;
// then the browser's print dialog.
SECTIONS.push((() => {
    // A page's exercises share its height: the more of them, the smaller their type, and with
    // it their boxes, which are sized in em. Every variant gets the same type, the largest, in
    // quarter points, at which each page holds its exercises, so that no student's is harder to
    // read. The pages are tried in turn in the sheets' place, each added to those before it,
    // which are laid out already; they stay there, to be printed.
    const LARGEST_TYPE = 11;
    const SMALLEST_TYPE = 4;
    // The letters' drawings of each page, sized for each type tried and drawn at the last.
    const drawings = new WeakMap();

    // The type of a page, in points, on paper of the width given in pixels.
    function setType(page, points, width, drawn) {
        page.style.fontSize = `${points}pt`;
        for (const [drawing, groups] of drawings.get(page)) {
            (drawn ? drawLetters : sizeLetters)(drawing, groups, width / (points * 4 / 3));
        }
    }

    // A page holds its exercises when they leave it at its least height, give or take rounding.
    function fits(page, points, width) {
        setType(page, points, width, false);
        return page.getBoundingClientRect().height <= parseFloat(getComputedStyle(page).minHeight) + 0.5;
    }

    function fitType(pages) {
        const place = byId("print_sheets");
        place.classList.add("fitting");
        place.replaceChildren();
        const width = parseFloat(getComputedStyle(place).width);
        let size = LARGEST_TYPE;
        for (const page of pages) {
            place.append(page);
            if (fits(page, size, width)) continue;
            let [low, high] = [SMALLEST_TYPE, size];
            while (high - low > 0.25) {
                const middle = Math.round((low + high) * 2) / 4;
                [low, high] = fits(page, middle, width) ? [middle, high] : [low, middle];
            }
            size = low;
        }
        place.classList.remove("fitting");
        for (const page of pages) setType(page, size, width, true);
    }

    // Each letter given over an empty box, the boxes of a group side by side, a line broken
    // only between groups; in em, to the width given. Drawn rather than laid out, and only
    // once the type is fitted: a sheet of 40 variants has thousands of letters, and a box of
    // its own for each took seconds.
    const CELL = 1.2;
    const GAP = 0.8;
    const LINE = 2.8;
    const BASELINE = 0.9;
    const BOX_TOP = 1.1;
    const BOX = 1.4;

    // Where each group starts, and the height of the lines.
    function placed(groups, width) {
        let [x, y] = [0, 0];
        const starts = groups.map(group => {
            if (x > 0 && x + group.length * CELL > width) [x, y] = [0, y + LINE];
            const start = [x, y];
            x += group.length * CELL + GAP;
            return start;
        });
        return { starts, height: y + LINE };
    }

    function sizeLetters(drawing, groups, width) {
        drawing.style.height = `${placed(groups, width).height}em`;
    }

    // Each letter's advance in the sheets' face, in em, measured once.
    const advances = new Map();
    let measuring = null;
    function advance(letter) {
        if (!advances.has(letter)) {
            if (measuring === null) {
                measuring = document.createElement("canvas").getContext("2d");
                measuring.font = `100px ${getComputedStyle(byId("print_sheets")).fontFamily}`;
                measuring.fontKerning = "none";
            }
            advances.set(letter, measuring.measureText(letter).width / 100);
        }
        return advances.get(letter);
    }

    // Each letter is moved from where the one before it ends to the middle of its box: placing
    // every letter where it stands made the browser take each as a text of its own.
    function drawLetters(drawing, groups, width) {
        const { starts, height } = placed(groups, width);
        const [moves, drops] = [[], []];
        let [pen, baseline] = [0, 0];
        let path = "";
        groups.forEach((group, g) => {
            const [x, y] = starts[g];
            for (let i = 0; i < group.length; ++i) {
                const letter = advance(group[i]);
                const left = x + (i + 0.5) * CELL - letter / 2;
                moves.push((left - pen).toFixed(3));
                drops.push(y + BASELINE - baseline);
                [pen, baseline] = [left + letter, y + BASELINE];
                if (i > 0) path += `M${(x + i * CELL).toFixed(2)} ${y + BOX_TOP}v${BOX}`;
            }
            path += `M${x.toFixed(2)} ${y + BOX_TOP}h${(group.length * CELL).toFixed(2)}v${BOX}H${x.toFixed(2)}z`;
        });
        drawing.setAttribute("viewBox", `0 0 ${width.toFixed(2)} ${height.toFixed(2)}`);
        drawing.style.height = `${height}em`;
        drawing.firstChild.setAttribute("d", path);
        drawing.lastChild.textContent = groups.join("");
        drawing.lastChild.setAttribute("dx", moves.join(" "));
        drawing.lastChild.setAttribute("dy", drops.map(drop => +drop.toFixed(2)).join(" "));
    }

    function letterBoxes(groups, page) {
        const drawing = element("svg:svg", { class: "sheet_letters", preserveAspectRatio: "xMinYMin meet" });
        drawing.append(element("svg:path"), element("svg:text"));
        drawings.get(page).push([drawing, groups]);
        return drawing;
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

    function exerciseBlock(exercise, keyLabel, page) {
        const block = element("div", { class: "sheet_exercise" });
        block.append(element("p", { class: "sheet_task" }, exercise.task));
        if (exercise.frequencies.length > 0) {
            const table = element("table", { class: "sheet_frequencies" });
            table.append(...exercise.frequencies.map(cells => {
                const row = element("tr");
                row.append(element("th", { scope: "row" }, cells[0]), ...cells.slice(1).map(cell => element("td", {}, cell)));
                return row;
            }));
            block.append(table);
        }
        if (exercise.groups.length > 0) {
            block.append(letterBoxes(exercise.groups, page));
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
            drawings.set(page, []);
            page.append(element("h1", {}, variant.heading), element("p", {}, sheet.nameLine),
                ...variant.exercises.map(exercise => exerciseBlock(exercise, sheet.keyLabel, page)));
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
        byId("print_sheets").append(answers);
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
