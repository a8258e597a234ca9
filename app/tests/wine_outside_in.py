#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the Windows program under Wine on Xvfb and checks it from outside, as a user would:
the window's size, caption and colours, the help text, typing and Calculate, the result and
the trace, the overflow warning, Clear, and that closing the window ends the program. What
the fields hold is read back through the clipboard (click, Ctrl+A, Ctrl+C).

Usage: wine_outside_in.py [--scale 1.5] [--screenshot PNG] --caption CAPTION PATH/TO/PROGRAM.exe
Runs in the Wine prefix $WINEPREFIX, made first if need be, at Windows' display scale (1 is
96 dpi). With --screenshot it only saves a picture of the window as it starts.
"""
import argparse
import os
import subprocess
import sys
import uuid

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
from virtual_desktop import (CALCULATE, CLEAR, LOG, OFFSET, PHRASE, RESULT, Deadline,  # noqa: E402
                             VirtualDesktop, check, check_colours)

WINE_RUN = os.path.join(HERE, "..", "..", "tools", "wine_run.sh")
# How long an empty box is given to copy something, which it never does: the one wait that
# can only end by running out.
EMPTY_COPY_SECONDS = 3
# How long one read of the clipboard may wait for its owner to answer.
CLIPBOARD_SECONDS = 2


class WineSession:
    """The program under Wine on a virtual desktop of its own."""

    def __init__(self, program, scale, caption, deadline):
        self.scale = scale
        self.deadline = deadline
        self.desktop = VirtualDesktop(deadline)
        self.env = dict(self.desktop.env, WINEPREFIX=os.environ["WINEPREFIX"],
                        WINEARCH="win64", WINEDEBUG="-all")
        try:
            self.desktop.keyboard_layouts("us", "bg")
            deadline.run([WINE_RUN, "--prepare"], env=self.env, check=True)
            # Windows' display scale, as the Settings app sets it for the user.
            deadline.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v",
                          "LogPixels", "/t", "REG_DWORD", "/d", str(round(96 * scale)), "/f"],
                         env=self.env, check=True, capture_output=True)
            deadline.run(["wineserver", "-w"], env=self.env, check=True)
            self.program = subprocess.Popen(["wine", program], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.window = self.desktop.find_window(deadline, name=caption)
            self.desktop.focus(self.window)
        except BaseException:
            self.close()
            raise

    def click(self, place):
        """Clicks a point of the design, or the middle of a box of it, wherever the display
        scale puts it."""
        if len(place) == 4:
            left, top, width, height = place
            place = (left + width // 2, top + height // 2)
        self.desktop.click(self.window, *(round(coordinate * self.scale) for coordinate in place))

    def grab(self):
        return self.desktop.grab(self.window)

    def type_into(self, box, text):
        """Types into a box, and fails unless the box then holds just that."""
        self.click(box)
        self.desktop.xdotool("key", "ctrl+a", "BackSpace")
        self.desktop.xdotool("type", "--delay", "30", text)
        held = self.read(box)
        check(held == text, f"typed {text!r} into the box at {box}, which holds {held!r}")

    def copy(self, box, seconds=None):
        """What the text box copies, through the clipboard (Wine hands over LF line ends), or
        None when nothing has come in the given seconds or by the deadline. A marker of its
        own goes onto the clipboard first and must be seen there before Ctrl+C: so whatever
        replaces it was copied after this click, never a copy left from before."""
        marker = f"(marker {uuid.uuid4()})"
        self.deadline.run(["xclip", "-selection", "clipboard", "-i"], input=marker, text=True,
                          env=self.env, check=True)
        self.deadline.wait_for("the marker on the clipboard", lambda: self.clipboard() == marker)
        self.click(box)
        self.desktop.xdotool("key", "ctrl+a", "ctrl+c")
        def copied():
            text = self.clipboard()
            return text if text not in (None, marker) else None
        # The copy reaches X through Wine's clipboard bridge a moment later.
        try:
            return self.deadline.wait_for(f"a copy from the box at {box}", copied, seconds)
        except AssertionError:
            return None

    def read(self, box):
        """What a text box that holds text holds. A copy that never arrives fails here, so
        that it cannot pass for an empty box."""
        copied = self.copy(box)
        check(copied is not None, f"nothing was copied from the box at {box}")
        return copied

    def check_empty(self, name, box):
        """An empty box copies nothing, and so does a copy that failed: the box must also
        show no text, with the focus and its caret elsewhere."""
        check(self.copy(box, EMPTY_COPY_SECONDS) is None, f"the {name} field is not empty")
        self.click(LOG)
        colour = self.grab()
        left, top, width, height = (round(value * self.scale) for value in box)
        inset = round(4 * self.scale)
        dark = [(x, y) for x in range(left + inset, left + width - inset)
                for y in range(top + inset, top + height - inset) if sum(colour(x, y)) < 3 * 128]
        check(not dark, f"the {name} field shows text at {dark[:3]}")

    def clipboard(self):
        """What the clipboard holds, or None; a clipboard whose owner does not answer within
        a moment is asked again by the caller."""
        try:
            result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                    capture_output=True, text=True,
                                    timeout=max(min(CLIPBOARD_SECONDS, self.deadline.left()), 0.1))
        except subprocess.TimeoutExpired:
            return None
        return result.stdout if result.returncode == 0 else None

    def close(self):
        program = getattr(self, "program", None)
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        try:
            subprocess.run(["wineserver", "-k"], env=getattr(self, "env", os.environ),
                           stderr=subprocess.DEVNULL, timeout=30)
        except subprocess.TimeoutExpired:
            print("wineserver -k did not end in 30 s", file=sys.stderr)
        self.desktop.close()


def check_window(session):
    info = session.desktop.run(["xwininfo", "-id", session.window], capture_output=True,
                               text=True, check=True).stdout
    width, height = round(532 * session.scale), round(398 * session.scale)
    check(f"Width: {width}" in info and f"Height: {height}" in info, info)
    wait_until_drawn(session)
    check_colours(session.desktop, session.window, session.scale)


def wait_until_drawn(session):
    # Wine shows the window before its first frame.
    session.deadline.wait_for("the window drawn", lambda: session.grab()(30, 10) != (0, 0, 0))


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
    warning = session.desktop.find_window(session.deadline, name="Твърде голямо отместване")
    check(session.program.poll() is None, "the program ended on the overflow")
    # Enter presses the box's one button.
    session.desktop.focus(warning)
    session.desktop.xdotool("key", "Return")
    session.deadline.wait_for("the warning to close", lambda: not session.desktop.shown(
        "Твърде голямо отместване"))
    session.desktop.focus(session.window)
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
    parser.add_argument("--caption", required=True)
    parser.add_argument("program")
    arguments = parser.parse_args()
    # Within the test's own time limit, with room to report.
    deadline = Deadline(270)
    session = WineSession(arguments.program, arguments.scale, arguments.caption, deadline)
    try:
        if arguments.screenshot:
            wait_until_drawn(session)
            deadline.run(["import", "-window", session.window, arguments.screenshot],
                         env=session.env, check=True)
            return
        check_window(session)
        check_help_then_calculate(session)
        check_overflow_warning(session)
        check_clear(session)
        check(session.program.poll() is None, "the program ended")
        session.desktop.press_close_box(session.window)
        deadline.wait_for("the program to end on close", lambda: session.program.poll() is not None)
    finally:
        session.close()
    print(f"wine outside-in at scale {arguments.scale}: window, caption, colours, help text, "
          "Calculate, trace, overflow warning, Clear and close all as designed")


if __name__ == "__main__":
    main()
