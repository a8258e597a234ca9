#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Inlines the module, the scripts and the images into the page template: one HTML file that
needs nothing else.

Usage: make_page.py TEMPLATE MODULE.js PAGE.js DISK.png DISK@2x.png ICON.png PHRASE_CAP OFFSET_CAP
                    OUT.html
"""
import base64
import os
import re
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


def main(template, module, page_script, disk, disk2x, icon, phrase_cap, offset_cap, out):
    with open(template, encoding="utf-8") as handle:
        page = handle.read()
    binding = os.path.join(os.path.dirname(os.path.abspath(page_script)), "lesson_binding.js")
    values = {"DISK2X": data_uri(disk2x), "DISK": data_uri(disk), "ICON": data_uri(icon),
              "MODULE": script(module), "BINDING": script(binding), "PAGE": script(page_script),
              "PHRASE_CAP": str(int(phrase_cap)), "OFFSET_CAP": str(int(offset_cap))}
    # One pass, so that nothing inlined is searched for placeholders again.
    page = re.sub(r"@(DISK2X|DISK|ICON|MODULE|BINDING|PAGE|PHRASE_CAP|OFFSET_CAP)@",
                  lambda m: values[m.group(1)], page)
    with open(out, "w", encoding="utf-8") as handle:
        handle.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 10:
        sys.exit(__doc__)
    main(*sys.argv[1:])
