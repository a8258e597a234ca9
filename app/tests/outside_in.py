#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts the program under Xvfb and checks it from outside, as a user and a screen reader do:
the window's size and hints, pixel colours, Tab order, typing and a click on Calculate, and the
fields read back through the accessibility bus. Then starts it again under a dark desktop
palette (qt6ct's "darker" scheme), where its own colours and the labels' black text must hold.

Usage: outside_in.py PATH/TO/PROGRAM
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from virtual_desktop import Deadline, VirtualDesktop, check, check_colours  # noqa: E402

# Within the test's own time limit, with room to report.
deadline = Deadline(100)
wait_for = deadline.wait_for


class Session:
    """The program on a virtual desktop of its own, with the accessibility bus started."""

    def __init__(self, program, extra_env=None):
        self.desktop = VirtualDesktop()
        self.env = self.desktop.env
        self.xdotool = self.desktop.xdotool
        os.environ.update(self.env)  # pyatspi finds the bus through this process's environment
        try:
            self.desktop.keyboard_layouts("us", "bg", "de")
            self.desktop.start_accessibility_bus()
            self.program = subprocess.Popen([program], env=dict(
                self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                **(extra_env or {})))
            self.window = self.desktop.find_window(deadline, pid=self.program.pid)
        except BaseException:
            self.close()
            raise

    def grab(self):
        return self.desktop.grab(self.window)

    def close(self):
        program = getattr(self, "program", None)
        if program is not None and program.poll() is None:
            program.terminate()
            try:
                program.wait(timeout=5)
            except subprocess.TimeoutExpired:
                program.kill()
        self.desktop.close()


def check_geometry_and_hints(session):
    info = subprocess.run(["xwininfo", "-id", session.window], env=session.env,
                          capture_output=True, text=True, check=True).stdout
    check("Width: 532" in info and "Height: 398" in info, info)
    hints = subprocess.run(["xprop", "-id", session.window, "WM_NORMAL_HINTS", "_MOTIF_WM_HINTS"],
                           env=session.env, capture_output=True, text=True, check=True).stdout
    check("program specified minimum size: 532 by 398" in hints, hints)
    check("program specified maximum size: 532 by 398" in hints, hints)
    motif = [int(v, 0) for v in hints.split("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = ")[1].split(",")]
    functions, decorations = motif[1], motif[2]
    check(functions & 0x20, f"no close function asked for: {hints}")
    check(not functions & 0x18, f"minimise or maximise function asked for: {hints}")
    check(not decorations & 0x60, f"minimise or maximise button asked for: {hints}")


def accessible_objects(application):
    found = []

    def walk(node):
        for child in node:
            if child is not None:
                found.append(child)
                walk(child)
    walk(application)
    return {o.name: o for o in found if o.name} | {"_all": found}


def find_application(pid):
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for application in desktop:
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def focused_name(application):
    import pyatspi
    for node in accessible_objects(application)["_all"]:
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node.name
    return None


def text_of(node):
    return node.queryText().getText(0, -1)


def check_tab_order(session, application):
    order = ["Обяснение и протокол на шифрирането", "Текст", "Отместване", "Изчисли",
             "Изчисти", "Шифров диск", "Шифриран", "Обяснение и протокол на шифрирането"]
    wait_for("focus on the log box", lambda: focused_name(application) == order[0])
    for expected in order[1:]:
        session.xdotool("key", "Tab")
        wait_for(f"focus on {expected}", lambda: focused_name(application) == expected)


def check_calculate(session, application):
    import pyatspi
    objects = accessible_objects(application)
    phrase, offset = objects["Текст"], objects["Отместване"]
    check(text_of(objects["Обяснение и протокол на шифрирането"]).startswith("Шифърът на Цезар"),
          "the log box does not show the help text")
    left, top = window_position(session)
    for field, typed in ((phrase, "Hello, World!"), (offset, "29")):
        # Qt gives screen coordinates whichever are asked for, so ask for those.
        x, y, width, height = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        session.xdotool("mousemove", "--window", session.window, str(x - left + width // 2),
                        str(y - top + height // 2), "click", "1")
        session.xdotool("key", "ctrl+a", "BackSpace")
        session.xdotool("type", "--delay", "20", typed)
        wait_for(f"'{typed}' typed", lambda: text_of(field) == typed)
    objects["Изчисли"].queryAction().doAction(0)
    log = objects["Обяснение и протокол на шифрирането"]
    wait_for("the result", lambda: text_of(objects["Шифриран"]) == "KHOORZRUOG")
    check(text_of(phrase) == "HELLOWORLD", text_of(phrase))
    check(text_of(offset) == "3", text_of(offset))
    lines = text_of(log).rstrip("\n").split("\n")
    check(len(lines) == 23, f"{len(lines)} trace lines")
    check(lines[0] == "Дължина на въведената фраза и отместване: 10:3", lines[0])
    check(lines[-1] == "71 - 3 = 68 -> D", lines[-1])


def check_dark_desktop(program):
    """Under a dark palette from the desktop the text boxes turn dark, as every text box does,
    while the window, the buttons and the labels keep their own colours and the labels their
    black text."""
    with tempfile.TemporaryDirectory() as config:
        os.makedirs(os.path.join(config, "qt6ct"))
        with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w", encoding="utf-8") as handle:
            handle.write("[Appearance]\ncustom_palette=true\n"
                         "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n")
        session = Session(program, {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": config})
        try:
            wait_for("the window drawn", lambda: session.grab()(30, 10) == (192, 192, 255))
            check_colours(session.desktop, session.window)
            colour = session.grab()
            check(sum(colour(520, 56)) < 3 * 128,
                  f"the phrase box is {colour(520, 56)}: the dark palette did not reach it")
            # Label1(0): its text, anti-aliased onto (255, 192, 128), is black only if no pixel
            # is bluer than the fill.
            text = [colour(x, y) for x in range(64, 401) for y in range(0, 25)]
            check(max(blue for _, _, blue in text) <= 128 + 8,
                  "the title label's text is lighter than its fill")
            check(min(sum(rgb) for rgb in text) < 150, "the title label shows no dark text")
        finally:
            session.close()


def window_position(session):
    geometry = session.xdotool("getwindowgeometry", session.window)
    x, y = geometry.split("Position: ")[1].split()[0].split(",")
    return int(x), int(y)


def main():
    session = Session(sys.argv[1])
    try:
        # pyatspi is imported only now: it connects to the accessibility bus started above.
        application = wait_for("the program on the accessibility bus",
                               lambda: find_application(session.program.pid))
        session.desktop.focus(session.window)
        check_geometry_and_hints(session)
        check_colours(session.desktop, session.window)
        check_tab_order(session, application)
        check_calculate(session, application)
        check(session.program.poll() is None, "the program ended")
        session.desktop.press_close_box(session.window)
        try:
            wait_for("the program to end on close", lambda: session.program.poll() is not None)
        except AssertionError:
            shown = session.xdotool("search", "--onlyvisible", "--pid", str(session.program.pid),
                                    check=False).split()
            print("the window is", "still shown" if shown else "gone, the process is not")
            raise
        check(session.program.returncode == 0, f"exit code {session.program.returncode}")
    finally:
        session.close()
    check_dark_desktop(sys.argv[1])
    print("outside-in: window, hints, colours, Tab order, typing and Calculate all as designed, "
          "and the window's own colours under a dark desktop palette")


if __name__ == "__main__":
    main()
