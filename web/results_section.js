// SPDX-License-Identifier: GPL-3.0-or-later
// The class's results: handed-in files, from the picker or dropped on the section, read and
// checked again by the lesson; a table of them sorted by a column header, a CSV for a
// spreadsheet and a landscape print.
const resultsSection = (() => {
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

    function show(table) {
        byId("results_box").hidden = table.rows.length === 0;
        byId("results_csv").disabled = table.rows.length === 0;
        byId("print_results").disabled = table.rows.length === 0;
        byId("results_caption").textContent = table.caption;
        byId("results_legend").textContent = table.rows.length === 0 ? "" : table.legend;
        const [head] = byId("results_table").tHead.rows;
        head.replaceChildren(...table.headers.map((text, column) => headerCell(text, column, table)));
        // The name is the row's header: a screen reader says it with each cell.
        const body = document.createElement("tbody");
        for (const cells of table.rows) {
            const row = body.insertRow();
            cells.forEach((cell, column) => {
                const box = column === 2 ? row.appendChild(document.createElement("th")) : row.insertCell();
                if (column === 2) box.scope = "row";
                box.textContent = cell;
            });
        }
        byId("results_table").tBodies[0].replaceWith(body);
        const footer = element("tr");
        footer.append(element("th", { scope: "row", colspan: "4" }, table.solvers[0]),
            ...table.solvers.slice(4).map(count => element("td", {}, count)));
        byId("results_table").tFoot.replaceChildren(...(table.rows.length === 0 ? [] : [footer]));
    }

    // Each file's bytes as text where it is within the cap; the lesson says why not where not,
    // and keeps the later of two files of one student, in the order they were picked.
    async function add(files) {
        const read = await Promise.all(Array.from(files, async file => {
            let text = "";
            try {
                if (file.size <= TEXTS.handedInCap) text = await file.text();
            } catch (error) {
                text = "";
            }
            return { fileName: file.name, size: file.size, text };
        }));
        whenReady(lesson => {
            const lines = read.map(file => lesson.call("addResults", file).line).filter(line => line !== "");
            byId("results_lines").replaceChildren(...lines.map(line => element("li", {}, line)));
            const table = lesson.call("results", {});
            show(table);
            byId("results_summary").textContent = table.summary;
            announce(table.summary);
        });
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
            classWork.download(sheet.fileName, sheet.csv, "text/csv;charset=utf-8");
        }));
        byId("print_results").addEventListener("click", () => {
            document.documentElement.dataset.printing = "results";
            window.print();
        });
        // The browser's own print command prints the sheets, as before.
        addEventListener("afterprint", () => { delete document.documentElement.dataset.printing; });
    }

    return { bind };
})();
