// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's sections share: finding and making elements, saying a result through the
// live region, the texts the page was written with, and the drawings two sections show. The
// sections' words all come from the lesson in the module, or from TEXTS, which it wrote into
// the page when the page was made.
const TEXTS = JSON.parse(document.getElementById("texts").textContent);
const SVG = "http://www.w3.org/2000/svg";
const byId = id => document.getElementById(id);

function element(name, attributes, text) {
    const node = document.createElementNS(name.startsWith("svg:") ? SVG : "http://www.w3.org/1999/xhtml",
        name.replace("svg:", ""));
    for (const [key, value] of Object.entries(attributes || {})) node.setAttribute(key, value);
    if (text !== undefined) node.textContent = text;
    return node;
}

// A text of TEXTS with its {name} places filled in.
function filled(template, values) {
    return template.replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
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
    const region = byId("announcement");
    region.textContent = "";
    requestAnimationFrame(() => { region.textContent = text; });
}

// Runs the action when the Enter key is pressed in any of the boxes.
function onEnter(boxes, action) {
    for (const box of boxes) {
        box.addEventListener("keydown", event => {
            if (event.key === "Enter") action();
        });
    }
}

// Radios or checkboxes of the given name, one for each choice, into a fieldset after what it
// holds; the first choice, or those the predicate picks, checked.
function fillChoices(fieldset, type, name, choices, checked) {
    fieldset.append(...choices.flatMap((choice, i) => {
        const label = element("label");
        const box = element("input", { type, name, value: choice.name });
        box.checked = checked ? checked(choice) : i === 0;
        label.append(box, ` ${choice.label}`);
        return [label, " "];
    }));
}

// The alphabet chosen in a group of radios named so.
function alphabetOf(name) {
    return document.querySelector(`input[name=${name}]:checked`).value;
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

// A long trace in a box, in blocks of lines, each laid out only once it scrolls into view: a
// text of 2,000 letters shows within a frame.
function showInBlocks(box, text) {
    const BLOCK = 100;
    const LINE_HEIGHT = 19;
    const lines = text.split("\n");
    const blocks = [];
    for (let first = 0; first < lines.length; first += BLOCK) {
        const block = lines.slice(first, first + BLOCK);
        blocks.push(element("span", { style: `contain-intrinsic-size: auto ${block.length * LINE_HEIGHT}px` },
            block.join("\n") + (first + BLOCK < lines.length ? "\n" : "")));
    }
    box.replaceChildren(...blocks);
    // Back to the top just before the next frame is drawn, which lays the page out anyway:
    // now, the scroll would lay it out at once, and again after anything changed later.
    requestAnimationFrame(() => { box.scrollTop = 0; });
}

// A key's decoded letters and score, as both tables of keys show them.
function keyCells(row) {
    return [element("td", { class: "decoded" }, row.decoded), element("td", { class: "number" }, row.score)];
}

// A section's choice of alphabet: the legend from the one template, and a radio for each
// alphabet, named after the fieldset.
function fillAlphabetChoice(fieldset) {
    fieldset.append(byId("alphabet_choice").content.cloneNode(true));
    fillChoices(fieldset, "radio", fieldset.id, TEXTS.alphabets);
}
