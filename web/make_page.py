#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Inlines into the page's shell, page.html, the sections it places (@NAME_SECTION@ for
name_section.html, which may place others) and their scripts in the same order, the module
(its script and, beside it, its WebAssembly gzipped in base64) and the images, with the
module's opening texts in place (run once in Node.js; each as @NAME@, and all of them as JSON
in @TEXTS@), the fields' caps, and the notices of the code compiled into it: one HTML file
that needs nothing else.

Usage: make_page.py MODULE.js DISK@2x.png ICON.png PHRASE_CAP OFFSET_CAP
                    CIPHERTEXT_CAP OUT.html
"""
import base64
import gzip
import html
import json
import os
import re
import subprocess
import sys

FOLDER = os.path.dirname(os.path.abspath(__file__))
PLACEHOLDER = re.compile(r"@([A-Z0-9_]+)@")
SECTION = re.compile(r"@([A-Z]+_SECTION)@")
# Before the first paint: the lesson the address names, the window fitted to the screen, and
# the start of the lessons' scripts after the paint.
EARLY_SCRIPTS = ["lesson_views.js", "window_fit.js", "page_start.js"]
# Before the sections' scripts: the way into the module, what the sections share and the class's
# work that they keep; after them, the module's bytes and its start, which binds the sections.
SCRIPTS_BEFORE = ["lesson_binding.js", "page_common.js", "class_work.js"]
SCRIPTS_AFTER = ["module_bytes.js", "module_start.js"]
LICENCE = "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->\n"


def data_uri(path):
    with open(path, "rb") as handle:
        return "data:image/png;base64," + base64.b64encode(handle.read()).decode("ascii")


def inlined(path, element="script"):
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    # Inside <script> or <style>, only this sequence could end the element early.
    if f"</{element}" in text.lower():
        sys.exit(f"make_page: {path} holds '</{element}', which would end its element")
    return text


def without_comments(path, script):
    """The script with its comment lines left empty and its lines' indents gone, a quarter of
    the scripts, which the page need not carry; its lines keep their numbers, for a stack trace.
    Refused where a text could run over lines, whose lines or indents would then be its own."""
    lines = script.split("\n")
    for number, line in enumerate(lines, 1):
        if line.count("`") % 2 or line.endswith("\\"):
            sys.exit(f"make_page: {path}:{number} may hold a text that runs over lines")
    kept = (line.lstrip(" ") for line in lines)
    return "\n".join("" if line.startswith("//") else line for line in kept)


def joined_scripts(names):
    # One scope for all of them, so that they see each other's functions, and nothing of theirs
    # on the page's global object. Each begins with its name, to place a line of a stack trace.
    paths = [os.path.join(FOLDER, name) for name in names]
    parts = [f"// {name}\n{without_comments(path, inlined(path)).rstrip()}"
             for name, path in zip(names, paths)]
    return '"use strict";\n(function () {\n' + "\n".join(parts) + "\n})();"


def markup(name, scripts):
    """The file's markup with the sections it places in place, their scripts added to scripts."""
    with open(os.path.join(FOLDER, name), encoding="utf-8") as handle:
        text = handle.read()
    def section(match):
        name = match.group(1).lower()
        scripts.append(name + ".js")
        # The page states its licence once, in the shell.
        return markup(name + ".html", scripts).removeprefix(LICENCE).rstrip("\n")
    return SECTION.sub(section, text)


def notices(path):
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    # It stands inside an HTML comment, which a double hyphen could end.
    if "--" in text:
        sys.exit(f"make_page: {path} holds '--', which could end the comment it stands in")
    return text


def gzipped_base64(path):
    with open(path, "rb") as handle:
        # No time in the header, so that the same module makes the same page.
        packed = gzip.compress(handle.read(), compresslevel=9, mtime=0)
    return base64.b64encode(packed).decode("ascii")


def opening_texts(module):
    printed = subprocess.run(["node", os.path.join(FOLDER, "opening_texts.js"), module],
                             check=True, capture_output=True).stdout
    return json.loads(printed)


def placeholders(texts):
    """The texts and numbers among the opening texts, by upper-cased name, ready for HTML."""
    values = {}
    for name, value in texts.items():
        if isinstance(value, str):
            values[name.upper()] = html.escape(value)
        elif isinstance(value, (int, float)) and not isinstance(value, bool):
            values[name.upper()] = str(value)
    return values


def json_for_script(value):
    """JSON that stays inside its <script> element and means the same to an HTML parser and to
    JSON.parse: these characters can only stand inside its strings, where the escape is the
    same character."""
    text = json.dumps(value, ensure_ascii=False, separators=(",", ":"))
    for character in "<>&\u2028\u2029":
        text = text.replace(character, f"\\u{ord(character):04x}")
    return text


def main(module, disk2x, icon, phrase_cap, offset_cap, ciphertext_cap, out):
    scripts = []
    page = markup("page.html", scripts)
    texts = opening_texts(module)
    values = {"DISK2X": data_uri(disk2x), "ICON": data_uri(icon),
              "MODULE": inlined(module),
              "WASM": gzipped_base64(os.path.splitext(module)[0] + ".wasm"),
              "EARLY_SCRIPTS": joined_scripts(EARLY_SCRIPTS),
              "SCRIPTS": joined_scripts(SCRIPTS_BEFORE + scripts + SCRIPTS_AFTER),
              # What the template writes in as text is not carried a second time for the scripts.
              "TEXTS": json_for_script({name: value for name, value in texts.items()
                                        if f"@{name.upper()}@" not in page}),
              "NOTICES": notices(os.path.join(FOLDER, "notices.txt")),
              "STYLES": inlined(os.path.join(FOLDER, "page.css"), "style").removeprefix(
                  "/* SPDX-License-Identifier: GPL-3.0-or-later */\n"),
              "PHRASE_CAP": str(int(phrase_cap)), "OFFSET_CAP": str(int(offset_cap)),
              "CIPHERTEXT_CAP": str(int(ciphertext_cap))}
    texts_by_name = placeholders(texts)
    clashing = sorted(values.keys() & texts_by_name.keys())
    if clashing:
        sys.exit(f"make_page: the module's texts {', '.join(clashing)} have the names of the "
                 "page's own values")
    values.update(texts_by_name)
    # Checked in the template, not in the page: base64 and scripts may hold an '@'.
    missing = sorted({name for name in PLACEHOLDER.findall(page) if name not in values})
    if missing:
        sys.exit(f"make_page: the page asks for {', '.join('@' + n + '@' for n in missing)}, "
                 "which nothing gives")
    # One pass, so that nothing inlined is searched for placeholders again.
    page = PLACEHOLDER.sub(lambda m: values[m.group(1)], page)
    with open(out, "w", encoding="utf-8") as handle:
        handle.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    main(*sys.argv[1:])
