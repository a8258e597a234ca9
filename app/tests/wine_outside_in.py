#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the Windows program under Wine on Xvfb and checks it from outside, as a user would:
the window's size, caption and colours, the help text, typing and Calculate, the result and
the trace, the overflow warning, Clear, and that closing the window ends the program. What
the fields hold is read back through the clipboard (click, Ctrl+A, Ctrl+C).

Usage: wine_outside_in.py [--scale 1.5] [--screenshot PNG] --web-address ADDRESS PATH/TO/PROGRAM.exe
Runs in the Wine prefix $WINEPREFIX, made first if need be, at Windows' display scale (1 is
96 dpi). With --screenshot it only saves a picture of the window as it starts.
"""
import argparse
import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
from virtual_desktop import VirtualDesktop  # noqa: E402
from outside_in import check, check_colours, grab, press_close_box, wait_for  # noqa: E402

WINE_RUN = os.path.join(HERE, "..", "..", "tools", "wine_run.sh")
# The caption's end: its start is the publisher's web address.
CAPTION_END = " Информатика - криптиране, cipher Zuradi"
# The text boxes in the window's own pixels (left, top, width, height), and the buttons'
# middles.
PHRASE, OFFSET, RESULT = (216, 40, 313, 33), (272, 80, 65, 33), (248, 120, 281, 33)
LOG = (8, 208, 521, 185)
CALCULATE, CLEAR = (220, 176), (476, 176)
NOTHING_COPIED = "(nothing was copied)"
COPY_SECONDS = 3


class WineSession:
    """The program under Wine on a virtual desktop of its own."""

    def __init__(self, program, scale, caption):
        self.scale = scale
        self.desktop = VirtualDesktop()
        self.env = dict(self.desktop.env, WINEPREFIX=os.environ["WINEPREFIX"],
                        WINEARCH="win64", WINEDEBUG="-all")
        try:
            # Before Wine starts: it reads the keyboard layout once, and without the Bulgarian
            # one every Cyrillic key would arrive as the same wrong letter.
            subprocess.run(["setxkbmap", "-layout", "us,bg"], env=self.env, check=True)
            subprocess.run([WINE_RUN, "--prepare"], env=self.env, check=True)
            # Windows' display scale, as the Settings app sets it for the user.
            subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v",
                            "LogPixels", "/t", "REG_DWORD", "/d", str(round(96 * scale)), "/f"],
                           env=self.env, check=True, capture_output=True)
            subprocess.run(["wineserver", "-w"], env=self.env, check=True)
            self.program = subprocess.Popen(["wine", program], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.window = self.find_window(caption)
            self.focus(self.window)
        except BaseException:
            self.close()
            raise

    def find_window(self, name):
        return wait_for(f"the window '{name}'", lambda: self.xdotool(
            "search", "--onlyvisible", "--name", f"^{re.escape(name)}$", check=False).split())[0]

    def focus(self, window):
        # With no window manager, only this gives a window the keyboard.
        self.xdotool("windowfocus", "--sync", window)

    def xdotool(self, *arguments, check=True):
        return subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True,
                              text=True, check=check).stdout

    def click(self, place):
        """Clicks a point of the design, or the middle of a box of it, wherever the display
        scale puts it."""
        if len(place) == 4:
            left, top, width, height = place
            place = (left + width // 2, top + height // 2)
        x, y = (str(round(coordinate * self.scale)) for coordinate in place)
        self.xdotool("mousemove", "--window", self.window, x, y, "click", "1", "mousemove", "0", "0")

    def type_into(self, point, text):
        self.click(point)
        self.xdotool("key", "ctrl+a", "BackSpace")
        self.xdotool("type", "--delay", "30", text)

    def copy(self, box):
        """What the text box copies, through the clipboard (Wine hands over LF line ends), or
        None when the marker put there first is still there after COPY_SECONDS."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=NOTHING_COPIED,
                       text=True, env=self.env, check=True)
        self.click(box)
        self.xdotool("key", "ctrl+a", "ctrl+c")
        # The copy reaches X through Wine's clipboard bridge a moment later.
        end = time.monotonic() + COPY_SECONDS
        while time.monotonic() < end:
            copied = self.clipboard()
            if copied not in (None, NOTHING_COPIED):
                return copied
            time.sleep(0.1)
        return None

    def read(self, box):
        """What a text box that holds text holds. A copy that never arrives fails here, so
        that it cannot pass for an empty box."""
        copied = self.copy(box)
        check(copied is not None, f"nothing was copied from the box at {box} in {COPY_SECONDS} s")
        return copied

    def check_empty(self, name, box):
        """An empty box copies nothing, and so does a copy that failed: the box must also
        show no text, with the focus and its caret elsewhere."""
        check(self.copy(box) is None, f"the {name} field is not empty")
        self.click(LOG)
        colour = grab(self)
        left, top, width, height = (round(value * self.scale) for value in box)
        inset = round(4 * self.scale)
        dark = [(x, y) for x in range(left + inset, left + width - inset)
                for y in range(top + inset, top + height - inset) if sum(colour(x, y)) < 3 * 128]
        check(not dark, f"the {name} field shows text at {dark[:3]}")

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                capture_output=True, text=True)
        return result.stdout if result.returncode == 0 else None

    def close(self):
        program = getattr(self, "program", None)
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        subprocess.run(["wineserver", "-k"], env=getattr(self, "env", os.environ),
                       stderr=subprocess.DEVNULL)
        self.desktop.close()


def check_window(session):
    info = subprocess.run(["xwininfo", "-id", session.window], env=session.env,
                          capture_output=True, text=True, check=True).stdout
    width, height = round(532 * session.scale), round(398 * session.scale)
    check(f"Width: {width}" in info and f"Height: {height}" in info, info)
    wait_until_drawn(session)
    check_colours(session, session.scale)


def wait_until_drawn(session):
    # Wine shows the window before its first frame.
    wait_for("the window drawn", lambda: grab(session)(30, 10) != (0, 0, 0))


def check_help_then_calculate(session):
    help_text = session.read(LOG)
    check(help_text.startswith("Шифърът на Цезар"), help_text[:80])
    check("K = (x + m) mod 26" in help_text, "the help text lacks its formula")
    session.type_into(PHRASE, "Hello, World!")
    session.type_into(OFFSET, "29")
    session.click(CALCULATE)
    result = session.read(RESULT)
    check(result == "KHOORZRUOG", f"the result is {result[:80]!r}")
    check(session.read(PHRASE) == "HELLOWORLD", "the phrase is not cleaned up")
    check(session.read(OFFSET) == "3", "the offset is not normalised")
    lines = session.read(LOG).rstrip("\n").split("\n")
    check(len(lines) == 23, f"{len(lines)} trace lines")
    check(lines[0] == "Дължина на въведената фраза и отместване: 10:3", lines[0])
    check(lines[2] == "H + 3 = 72 + 3 = 75 -> K", lines[2])
    check(lines[-1] == "71 - 3 = 68 -> D", lines[-1])


def check_overflow_warning(session):
    session.type_into(OFFSET, "99999999999")
    session.click(CALCULATE)
    warning = session.find_window("Твърде голямо отместване")
    check(session.program.poll() is None, "the program ended on the overflow")
    # Enter presses the box's one button.
    session.focus(warning)
    session.xdotool("key", "Return")
    wait_for("the warning to close", lambda: not session.xdotool(
        "search", "--onlyvisible", "--name", "^Твърде голямо отместване$", check=False))
    session.focus(session.window)
    check(session.read(OFFSET) == "99999999999", "the offset field lost what was typed")


def check_clear(session):
    session.click(CLEAR)
    for name, box in (("phrase", PHRASE), ("offset", OFFSET), ("result", RESULT)):
        session.check_empty(name, box)
    check(session.read(LOG).startswith("Дължина"), "Clear changed the log")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scale", type=float, default=1)
    parser.add_argument("--screenshot")
    parser.add_argument("--web-address", required=True)
    parser.add_argument("program")
    arguments = parser.parse_args()
    session = WineSession(arguments.program, arguments.scale,
                          arguments.web_address + CAPTION_END)
    try:
        if arguments.screenshot:
            wait_until_drawn(session)
            subprocess.run(["import", "-window", session.window, arguments.screenshot],
                           env=session.env, check=True)
            return
        check_window(session)
        check_help_then_calculate(session)
        check_overflow_warning(session)
        check_clear(session)
        check(session.program.poll() is None, "the program ended")
        press_close_box(session.env["DISPLAY"], session.window)
        wait_for("the program to end on close", lambda: session.program.poll() is not None)
    finally:
        session.close()
    print(f"wine outside-in at scale {arguments.scale}: window, caption, colours, help text, "
          "Calculate, trace, overflow warning, Clear and close all as designed")


if __name__ == "__main__":
    main()
