# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen and a session bus of their own, for starting the program away from any desktop."""
import os
import signal
import subprocess
import tempfile


class VirtualDesktop:
    """An Xvfb server and a private D-Bus session bus, with the environment for programs
    started on them: DISPLAY, the bus, a private XDG_RUNTIME_DIR, a UTF-8 locale and no QT_*
    settings from outside."""

    def __init__(self):
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

    def close(self):
        os.killpg(self.bus.pid, signal.SIGTERM)
        self.bus.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        self.runtime.cleanup()
