// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's sections share: finding and making elements, saying a result through the
// live region, the texts the page was written with, the charts they draw and the files they
// give. The sections' words all come from the lesson in the module, or from TEXTS, which it
// wrote into the page when the page was made.
const TEXTS = JSON.parse(document.getElementById("texts").textContent);
// The page's sections in its order, as their scripts add them; module_start.js binds them.
const SECTIONS = [];
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

// Runs the action when the Enter key is pressed in any of the boxes, or in a box inside one;
// in a box of lines, Shift+Enter still starts a line.
function onEnter(boxes, action) {
    for (const box of boxes) {
        box.addEventListener("keydown", event => {
            if (event.key !== "Enter" || (event.shiftKey && event.target.tagName === "TEXTAREA")) return;
            event.preventDefault();
            action();
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

// Bars of the values, the `marked` one darker, with their names under them and a line over
// them on one scale, in a chart's view box; the line's points, [x, value], from bars' middles.
function drawBars(chart, { left, step, gap, top, values, names, marked, line }) {
    const y = value => 170 - value / top * 160;
    const middle = i => left + i * step + (step - gap) / 2;
    const bars = values.map((value, i) => element("svg:rect", { class: i === marked ? "count likeliest" : "count",
        x: left + i * step, y: y(value), width: step - gap, height: 170 - y(value) }));
    const points = line(middle).map(([x, value]) => `${x},${y(value)}`).join(" ");
    chart.replaceChildren(...bars, element("svg:polyline", { class: "expected", points }),
        ...names.map((name, i) => element("svg:text", { x: middle(i), y: 190, "text-anchor": "middle" }, name)));
}

// Bars of the text's letter counts, and over them the language's counts shifted by the
// likeliest offset: 26 or 30 letters across the same width.
function drawChart(chart, letters) {
    const expected = letters.map(l => l.expectedThousandths / 1000);
    drawBars(chart, { left: 12, step: Math.floor(520 / letters.length), gap: 6,
        top: Math.max(1, ...letters.map((l, i) => Math.max(l.count, expected[i]))),
        values: letters.map(l => l.count), names: letters.map(l => l.letter),
        line: middle => expected.map((e, i) => [middle(i), e]) });
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

function download(fileName, text, type) {
    const link = element("a", { href: URL.createObjectURL(new Blob([text], { type })), download: fileName });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// Two rows of letters as pairs that wrap, each letter of the first over the one under it.
function fillPairs(box, upper, lower) {
    box.replaceChildren(...Array.from(upper, (letter, i) => {
        const pair = element("span");
        pair.append(element("span", {}, letter), element("span", {}, lower[i]));
        return pair;
    }));
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
