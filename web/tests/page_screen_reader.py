#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses the page as a blind student does: Debian's Chromium on a virtual screen, with Orca in
Bulgarian, as the window's screen-reader test hears the window. Calculate by keyboard in the
window's copy and in the Cyrillic section must be spoken letter by letter.

Usage: page_screen_reader.py [--transcript] PATH/TO/page.html
"""
import json
import os
import pathlib
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "app", "tests"))
from screen_reader import hear  # noqa: E402

LOG = "Обяснение и протокол на шифрирането"
PROFILE = tempfile.TemporaryDirectory()


def chromium(page):
    """The page alone in a window, its accessibility on from the start, in a private profile
    that does not offer to translate it (the offer is spoken, in English)."""
    os.makedirs(os.path.join(PROFILE.name, "Default"))
    with open(os.path.join(PROFILE.name, "Default", "Preferences"), "w") as preferences:
        json.dump({"translate": {"enabled": False}}, preferences)
    # Chromium's sandbox does not start as root, which the tests may run as.
    return ["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
            "--user-data-dir=" + PROFILE.name, "--app=" + pathlib.Path(page).resolve().as_uri()]


def run(session, step):
    session.desktop.focus(session.window)
    step("the page gets focus", session.transcript.since(0, until=LOG), LOG)
    step("Tab to Calculate", session.say("Tab", "Tab", "Tab", until="Изчисли"), "Изчисли бутон")
    step("Calculate", session.say("space", until="Шифриран"),
         "Шифриран: D, E, F, G, H, I, J, K, L, M, N, O")

    # Past Clear, the picture, the result and the window's own link, to the Cyrillic lesson's,
    # which shows it with the focus on its heading; then its phrase.
    step("Tab to the Cyrillic lesson", session.say(*["Tab"] * 5, until="кирилица връзка"),
         "Шифърът на Цезар на кирилица връзка")
    # Orca's browse mode now and then activates the link it read before the focused one; the
    # window's lesson is then shown, and the Cyrillic link is six links back from its heading.
    for _ in range(3):
        opened = session.say("Return", until="Цезар")
        if "кирилица" in " | ".join(opened):
            break
        session.say(*["shift+Tab"] * 6, until="кирилица връзка")
    step("open the Cyrillic lesson", opened, "Шифърът на Цезар на кирилица")
    step("Tab to the Cyrillic phrase", session.say("Tab", until="Текст:"), "Текст: поле за писане")
    session.say(typed="Здравей, свят!")
    session.say("Tab", typed="3")
    step("Calculate in Cyrillic", session.say("Return", until="Шифриран"),
         "Шифриран: К, З, У, гъ, Е, И, М, Ф, Е, В, Х")


if __name__ == "__main__":
    hear(run, chromium)
