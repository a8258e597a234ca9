// SPDX-License-Identifier: GPL-3.0-or-later
// The class's results: handed-in files, from the picker or dropped on the section, read and
// checked again by the lesson; a table of them sorted by a column header, its rows removed one
// by one or all at once, a CSV for a spreadsheet and a landscape print.
SECTIONS.push((() => {
    function headerCell(text, column, table) {
        const cell = element("th", { scope: "col" });
        if (column === table.sortedBy) cell.setAttribute("aria-sort", table.descending ? "descending" : "ascending");
        const button = element("button", { type: "button" }, text);
        button.addEventListener("click", () => whenReady(lesson => {
            show(lesson.call("results", { sortBy: column }));
            // The row of headers is drawn anew: the focus goes back to the button pressed.
            byId("results_table").tHead.rows[0].cells[column].querySelector("button").focus();
        }));
        cell.append(button);
        return cell;
    }

    // Removes its row; the focus goes on to the next row's button, the last row's, or adding.
    function removeButton(table, index) {
        const button = element("button", { type: "button", class: "remove", "aria-label": table.removeLabels[index] }, table.remove);
        button.addEventListener("click", () => whenReady(lesson => {
            changed(lesson.call("removeResult", { row: index }));
            const left = byId("results_table").tBodies[0].querySelectorAll("button");
            (left[index] || left[index - 1] || byId("add_results")).focus();
        }));
        return button;
    }

    let clearQuestion = "";
    function show(table) {
        const empty = table.rows.length === 0;
        byId("results_box").hidden = empty;
        for (const id of ["results_csv", "print_results", "clear_results"]) byId(id).disabled = empty;
        clearQuestion = table.clearQuestion;
        byId("results_caption").textContent = table.caption;
        byId("results_legend").textContent = empty ? "" : table.legend;
        const [head] = byId("results_table").tHead.rows;
        head.replaceChildren(...table.headers.map((text, column) => headerCell(text, column, table)), element("td"));
        // The name is the row's header: a screen reader says it with each cell.
        const body = document.createElement("tbody");
        table.rows.forEach((cells, index) => {
            const row = body.insertRow();
            cells.forEach((cell, column) => {
                const heads = column === table.nameColumn;
                const box = heads ? row.appendChild(document.createElement("th")) : row.insertCell();
                if (heads) box.scope = "row";
                box.textContent = cell;
            });
            row.insertCell().append(removeButton(table, index));
        });
        byId("results_table").tBodies[0].replaceWith(body);
        const footer = element("tr");
        footer.append(element("th", { scope: "row", colspan: String(table.studentColumns) }, table.solvers[0]),
            ...table.solvers.slice(table.studentColumns).map(count => element("td", {}, count)));
        byId("results_table").tFoot.replaceChildren(...(empty ? [] : [footer]));
    }

    // The table after a change, and what it came to, shown and said.
    function changed(table) {
        show(table);
        byId("results_summary").textContent = table.summary;
        announce(table.summary);
    }

    // Four files at a time, so that a thousand never sit in memory at once, each read as text
    // where within the cap and added in the order picked; one that fails is named with why.
    async function add(files) {
        const list = Array.from(files), lines = [];
        const lesson = await new Promise(ready => whenReady(ready));
        for (let first = 0; first < list.length; first += 4) {
            const some = list.slice(first, first + 4);
            const read = await Promise.all(some.map(file => file.size > TEXTS.handedInCap ? { text: "" }
                : file.text().then(text => ({ text }), error => ({ text: "", unread: reason(error) }))));
            some.forEach((file, i) => {
                try {
                    lines.push(lesson.call("addResults", { fileName: file.name, size: file.size, ...read[i], now: Date.now() }).line);
                } catch (error) {
                    lines.push(filled(TEXTS.actionFailed, { reason: `${file.name}: ${reason(error)}` }));
                }
            });
        }
        byId("results_lines").replaceChildren(...lines.filter(line => line).map(line => element("li", {}, line)));
        whenReady(lesson => changed(lesson.call("results", {})));
    }

    function bind() {
        const picker = byId("results_files");
        byId("add_results").addEventListener("click", () => picker.click());
        picker.addEventListener("change", () => {
            add(picker.files);
            picker.value = "";
        });
        const section = byId("class_results");
        section.addEventListener("dragover", event => {
            event.preventDefault();
            section.classList.add("dropping");
        });
        section.addEventListener("dragleave", () => section.classList.remove("dropping"));
        section.addEventListener("drop", event => {
            event.preventDefault();
            section.classList.remove("dropping");
            add(event.dataTransfer.files);
        });
        byId("results_csv").addEventListener("click", () => whenReady(lesson => {
            const sheet = lesson.call("resultsCsv");
            download(sheet.fileName, sheet.csv, "text/csv;charset=utf-8");
        }));
        byId("clear_results").addEventListener("click", () => whenReady(lesson => {
            if (!window.confirm(clearQuestion)) return;
            byId("results_lines").replaceChildren();
            changed(lesson.call("clearResults"));
            byId("add_results").focus();
        }));
        byId("print_results").addEventListener("click", () => {
            document.documentElement.dataset.printing = "results";
            window.print();
        });
        // The browser's own print command prints the sheets, as before.
        addEventListener("afterprint", () => { delete document.documentElement.dataset.printing; });
    }

    return { bind };
})());
