# SPDX-License-Identifier: GPL-3.0-or-later
"""What the tests that meet the program from outside share: a screen and a session bus of
their own, key presses and clicks, finding a window, its pixels, closing it as a window
manager would, and one deadline for everything a test waits for."""
import faulthandler
import os
import re
import signal
import subprocess
import tempfile
import time


def check(condition, message):
    if not condition:
        raise AssertionError(message)


class Deadline:
    """The time one test may take, shared by all its waits: a slow step leaves less for the
    next, and no step waits a fixed time."""

    def __init__(self, seconds):
        self.end = time.monotonic() + seconds
        # Should a call hang past the deadline, say where, before the test's own limit ends it.
        faulthandler.dump_traceback_later(seconds + 10)

    def left(self):
        return self.end - time.monotonic()

    def run(self, command, **options):
        """subprocess.run, ended when the deadline passes."""
        return subprocess.run(command, timeout=max(self.left(), 1), **options)

    def wait_for(self, what, probe, seconds=None):
        """Polls probe until it returns something true, and returns that; fails once the
        deadline (or, sooner, the given seconds) has passed."""
        end = self.end if seconds is None else min(self.end, time.monotonic() + seconds)
        while True:
            value = probe()
            if value:
                return value
            if time.monotonic() >= end:
                raise AssertionError(f"timed out waiting for {what}")
            time.sleep(0.05)


class VirtualDesktop:
    """An Xvfb server and a private D-Bus session bus, with the environment for programs
    started on them: DISPLAY, the bus, a private XDG_RUNTIME_DIR, a UTF-8 locale and no QT_*
    settings from outside."""

    def __init__(self, deadline=None):
        self.deadline = deadline
        self.runtime = tempfile.TemporaryDirectory()
        read_end, write_end = os.pipe()
        # -noreset: without it the server resets when its last client leaves, and a brief
        # client (the accessibility launcher) can leave first.
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                      "1024x768x24", "-nolisten", "tcp", "-noreset"],
                                     pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith("QT_")
                    and k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        self.env.update(DISPLAY=self.display, XDG_RUNTIME_DIR=self.runtime.name,
                        LC_ALL="C.UTF-8")
        # In a process group of its own, so that it ends together with the helpers it starts.
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    env=self.env, start_new_session=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().decode().strip()

    def run(self, command, **options):
        """A command on this desktop, ended when the deadline, if there is one, passes."""
        if self.deadline is not None:
            return self.deadline.run(command, env=self.env, **options)
        return subprocess.run(command, env=self.env, **options)

    def keyboard_layouts(self, *layouts):
        """Before the program starts: it reads the layouts once, and without the Bulgarian one
        every Cyrillic key would arrive as the same wrong letter."""
        self.run(["setxkbmap", "-layout", ",".join(layouts)], check=True)

    def start_accessibility_bus(self):
        self.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                  "/org/a11y/bus", "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)

    def xdotool(self, *arguments, check=True):
        return self.run(["xdotool", *arguments], capture_output=True, text=True,
                        check=check).stdout

    def find_window(self, deadline, pid=None, name=None):
        """The shown window of the process, or the one of exactly that name."""
        what = ["--pid", str(pid)] if pid is not None else ["--name", f"^{re.escape(name)}$"]
        return deadline.wait_for(f"the window {name or pid}", lambda: self.xdotool(
            "search", "--onlyvisible", *what, check=False).split())[0]

    def shown(self, name):
        return bool(self.xdotool("search", "--onlyvisible", "--name", f"^{re.escape(name)}$",
                                 check=False))

    def focus(self, window):
        # With no window manager, only this gives a window the keyboard.
        self.xdotool("windowfocus", "--sync", window)

    def click(self, window, x, y):
        """A click at a point of the window, and the pointer moved out of the way."""
        self.xdotool("mousemove", "--window", window, str(x), str(y), "click", "1",
                     "mousemove", "0", "0")

    def grab(self, window):
        """The window's pixels as they are now: a function from x, y to (red, green, blue)."""
        ppm = self.run(["import", "-window", window, "-depth", "8", "ppm:-"],
                       capture_output=True, check=True).stdout
        width, pixels = read_ppm(ppm)

        def colour(x, y):
            offset = 3 * (y * width + x)
            return tuple(pixels[offset:offset + 3])
        return colour

    def press_close_box(self, window):
        """Asks the window to close as a window manager's close box does: WM_DELETE_WINDOW."""
        from Xlib import X, display, protocol
        connection = display.Display(self.display)
        target = connection.create_resource_object("window", int(window))
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=target, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        target.send_event(event, event_mask=X.NoEventMask)
        # A round trip, not just a flush: closing straight after a flush lost the message now
        # and then.
        connection.sync()
        connection.close()

    def close(self):
        os.killpg(self.bus.pid, signal.SIGTERM)
        self.bus.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        self.runtime.cleanup()


# A token of a PPM header, after the whitespace and comments before it.
PPM_TOKEN = re.compile(rb"(?:\s|#[^\r\n]*)*([^\s#]+)")


def read_ppm(ppm):
    """The width and the pixel bytes of a binary PPM image of 8-bit samples. The header is read
    token by token up to the one whitespace byte after its maximum value, since the pixels
    that follow may begin with bytes that look like whitespace too."""
    tokens, end = [], 0
    while len(tokens) < 4:
        token = PPM_TOKEN.match(ppm, end)
        check(token is not None, f"not a PPM header: {ppm[:end + 20]!r}")
        tokens.append(token.group(1))
        end = token.end()
    check(tokens[0] == b"P6" and tokens[3] == b"255" and ppm[end:end + 1].isspace(),
          f"not a PPM of 8-bit samples: {ppm[:end + 1]!r}")
    return int(tokens[1]), ppm[end + 1:]


def check_colours(desktop, window, scale=1):
    """Samples the window's flat fills at points of the design, on a screen of the given
    scale."""
    colour = desktop.grab(window)
    expected = {(30, 10): (192, 192, 255), (66, 2): (255, 192, 128),
                (174, 166): (0, 255, 0), (520, 186): (255, 0, 0)}
    for (x, y), rgb in expected.items():
        x, y = round(x * scale), round(y * scale)
        check(colour(x, y) == rgb, f"pixel {x},{y} is {colour(x, y)}, not {rgb}")


# The window's text boxes in its own pixels as designed (left, top, width, height), and the
# buttons' middles: where a user clicks.
PHRASE, OFFSET, RESULT = (216, 40, 313, 33), (272, 80, 65, 33), (248, 120, 281, 33)
LOG = (8, 208, 521, 185)
CALCULATE, CLEAR = (220, 176), (476, 176)
