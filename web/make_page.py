#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Inlines the module (its script and, beside it, its WebAssembly in base64), the scripts and
the images into the page template, with the window's
opening texts and the sections' fixed texts (from the module, run once in Node.js) in place, the
fields' caps, and the notices of the code compiled into it: one HTML file that needs nothing
else.

Usage: make_page.py TEMPLATE MODULE.js PAGE.js DISK.png DISK@2x.png ICON.png PHRASE_CAP OFFSET_CAP
                    CIPHERTEXT_CAP OUT.html
"""
import base64
import html
import json
import os
import re
import subprocess
import sys


def data_uri(path):
    with open(path, "rb") as handle:
        return "data:image/png;base64," + base64.b64encode(handle.read()).decode("ascii")


def script(path):
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    # Inside <script>, only this sequence could end the element early.
    if "</script" in text.lower():
        sys.exit(f"make_page: {path} holds '</script', which would end its element")
    return text


def notices(path):
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    # It stands inside an HTML comment, which a double hyphen could end.
    if "--" in text:
        sys.exit(f"make_page: {path} holds '--', which could end the comment it stands in")
    return text


def wasm(path):
    with open(path, "rb") as handle:
        return base64.b64encode(handle.read()).decode("ascii")


def opening_texts(module, folder):
    printed = subprocess.run(["node", os.path.join(folder, "opening_texts.js"), module],
                             check=True, capture_output=True).stdout
    return {name.upper(): html.escape(text) for name, text in json.loads(printed).items()}


def main(template, module, page_script, disk, disk2x, icon, phrase_cap, offset_cap,
         ciphertext_cap, out):
    with open(template, encoding="utf-8") as handle:
        page = handle.read()
    folder = os.path.dirname(os.path.abspath(page_script))
    binding = os.path.join(folder, "lesson_binding.js")
    values = {"DISK2X": data_uri(disk2x), "DISK": data_uri(disk), "ICON": data_uri(icon),
              "MODULE": script(module), "WASM": wasm(os.path.splitext(module)[0] + ".wasm"),
              "BINDING": script(binding), "PAGE": script(page_script),
              "NOTICES": notices(os.path.join(folder, "notices.txt")),
              "PHRASE_CAP": str(int(phrase_cap)), "OFFSET_CAP": str(int(offset_cap)),
              "CIPHERTEXT_CAP": str(int(ciphertext_cap)), **opening_texts(module, folder)}
    # One pass, so that nothing inlined is searched for placeholders again.
    page = re.sub("@(" + "|".join(sorted(values, key=len, reverse=True)) + ")@",
                  lambda m: values[m.group(1)], page)
    with open(out, "w", encoding="utf-8") as handle:
        handle.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 11:
        sys.exit(__doc__)
    main(*sys.argv[1:])
