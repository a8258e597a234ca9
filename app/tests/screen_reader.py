#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses the program as a blind student does, with Debian's screen reader Orca, headless, in
Bulgarian, and checks what Orca says at each step: Tab through the whole window, a new
offset, Calculate by keyboard and by a click, the first lines of the trace with the arrow
keys, the overflow warning, and Clear.

Orca writes everything it would speak to its debug file ("SPEECH OUTPUT: '…'"); the test
reads that file through a pseudo-terminal, so each line arrives as it is written.

Usage: screen_reader.py [--transcript] PATH/TO/caesar
"""
import argparse
import os
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
from virtual_desktop import CALCULATE, Deadline, VirtualDesktop, check  # noqa: E402

SETTLE_SECONDS = 0.6
# An utterance: the text in quotes, then the voice's settings or the end of the line.
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:\{|$)")


class Transcript:
    """What Orca has said so far, read from its debug output as it comes."""

    def __init__(self):
        self.master, slave = pty.openpty()
        self.path = os.ttyname(slave)
        self.slave = slave
        self.lines = []
        self.last = time.monotonic()
        self.lock = threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            for raw in complete:
                match = SPEECH.search(raw.decode("utf-8", "replace"))
                if match:
                    with self.lock:
                        self.lines.append(match.group(1))
                        self.last = time.monotonic()

    def mark(self):
        with self.lock:
            return len(self.lines)

    def since(self, mark, until=""):
        """What was said after mark, once speech has settled after the words until. Those may
        wait on a page's loading or a busy machine, so they are waited for longer."""
        end = time.monotonic() + (60 if until else 10)
        while time.monotonic() < end:
            time.sleep(0.1)
            with self.lock:
                quiet = time.monotonic() - self.last
                heard = until in " | ".join(self.lines[mark:])
                if len(self.lines) > mark and quiet >= SETTLE_SECONDS and heard:
                    break
        with self.lock:
            return self.lines[mark:]


def bulgarian_locale(directory):
    """A bg_BG.UTF-8 locale in directory, for LOCPATH: Orca's role words are then Bulgarian."""
    os.makedirs(directory, exist_ok=True)
    subprocess.run(["localedef", "-i", "bg_BG", "-f", "UTF-8",
                    os.path.join(directory, "bg_BG.UTF-8")], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def orca_running():
    uid = str(os.getuid())
    return subprocess.run(["pgrep", "-u", uid, "-x", "orca"],
                          stdout=subprocess.DEVNULL).returncode == 0


class ReaderSession:
    """Xvfb, a private session bus and home, speech-dispatcher with no sound card, Orca, and
    the program (a command, with settings added to its environment), all stopped by close()."""

    def __init__(self, command, **settings):
        self.processes = []
        # Within the test's own time limit, with room to report.
        self.deadline = Deadline(160)
        self.desktop = VirtualDesktop()
        self.scratch = tempfile.TemporaryDirectory()
        try:
            self.start(command, settings)
        except BaseException:
            self.close()
            raise

    def start(self, command, settings):
        scratch = self.scratch.name
        home = os.path.join(scratch, "home")
        os.makedirs(home)
        with open(os.path.join(home, ".asoundrc"), "w") as asoundrc:
            asoundrc.write("pcm.!default { type null }\n")
        locales = os.path.join(scratch, "locales")
        bulgarian_locale(locales)
        self.env = dict(self.desktop.env, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"))
        self.bulgarian = dict(self.env, LOCPATH=locales, LANG="bg_BG.UTF-8",
                              LC_ALL="bg_BG.UTF-8", LANGUAGE="bg")
        self.desktop.keyboard_layouts("us", "bg")
        subprocess.run(["gsettings", "set", "org.gnome.desktop.interface",
                        "toolkit-accessibility", "true"], env=self.env, check=True)
        self.desktop.start_accessibility_bus()

        configuration = os.path.join(scratch, "speech-dispatcher")
        shutil.copytree("/etc/speech-dispatcher", configuration)
        conf = os.path.join(configuration, "speechd.conf")
        with open(conf) as source:
            text = source.read()
        with open(conf, "w") as target:
            target.write(re.sub(r'(?m)^#?\s*AudioOutputMethod.*$', 'AudioOutputMethod "alsa"', text))
        self.spawn(["speech-dispatcher", "-s", "-t", "0", "-C", configuration], self.env)

        self.transcript = Transcript()
        self.orca = self.spawn(["orca", "--user-prefs", os.path.join(scratch, "orca"),
                                "--debug-file", self.transcript.path], self.bulgarian)
        self.deadline.wait_for("Orca to start", lambda: self.transcript.mark() > 0
                               or self.orca.poll() is not None)
        # Orca leaves at once when another one runs for this user.
        check(self.orca.poll() is None, "Orca ended as it started; is another Orca running?")
        self.transcript.since(0)

        self.program = self.spawn(command, dict(self.bulgarian, **settings))
        self.window = self.desktop.find_window(self.deadline, pid=self.program.pid)

    def spawn(self, command, env):
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def say(self, *keys, typed=None, click=None, until=""):
        """Presses keys (or types text, or clicks at a point) and returns what Orca said,
        waiting for the words until if they are given."""
        mark = self.transcript.mark()
        if click:
            self.desktop.click(self.window, *click)
        if keys:
            self.desktop.xdotool("key", "--delay", "150", *keys)
        if typed:
            self.desktop.xdotool("type", "--delay", "60", typed)
        return self.transcript.since(mark, until)

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, 15)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, 9)
                    process.wait()
        self.desktop.close()
        self.scratch.cleanup()


LOG = "Обяснение и протокол на шифрирането"
TRACE = ["Дължина на въведената фраза и отместване: 12:3",
         "Последователно извеждам изчислените ASCII кодове:",
         "A + 3 = 65 + 3 = 68 -> D"]


def expect(step, spoken, *fragments):
    """Each fragment must be in what was said at this step."""
    said = " | ".join(spoken)
    for fragment in fragments:
        check(fragment in said, f"{step}: Orca did not say {fragment!r}; it said: {said}")


def run(session, step):
    session.desktop.focus(session.window)
    step("the window gets focus", session.transcript.since(session.transcript.mark()),
         LOG, "само за четене текст", "Шифърът на Цезар")
    # A field says its name, its role, then its whole text, selected by the Tab.
    stops = [("Текст: текст. | abcdefghijkl избрано",), ("Отместване: текст. | 3 избрано",),
             ("Изчисли", "бутон"), ("Изчисти", "бутон"),
             ("Шифров диск", "изображение", "Кафяв диск с два концентрични пръстена"),
             ("Шифриран", "само за четене текст"), (LOG, "само за четене текст")]
    for stop in stops:
        step(f"Tab to {stop[0]}", session.say("Tab"), *stop)

    session.say("Tab", "Tab")
    step("type the offset", session.say(typed="29"), "2", "9")
    # Letter by letter: a voice reads a run of cipher letters as one made-up word.
    spelled = "Шифриран: D, E, F, G, H, I, J, K, L, M, N, O"
    step("Calculate by keyboard", session.say("Tab", "space"), spelled)
    step("Calculate by a click", session.say(click=CALCULATE), spelled)

    step("to the trace", session.say("Tab", "Tab", "Tab", "Tab"), LOG, TRACE[0])
    step("trace line 2", session.say("Down"), TRACE[1])
    step("trace line 3", session.say("Down"), TRACE[2])

    session.say("Tab", "Tab")
    session.say(typed="99999999999")
    step("the overflow warning", session.say("Tab", "space"), "Твърде голямо отместване",
         "Отместването „99999999999“ е твърде голямо.")
    session.say("Return")
    step("Clear", session.say("Tab", "space"),
         "Полетата Текст, Отместване и Шифриран са празни.")


def hear(run, command, **settings):
    """Runs the command (made from the path given on the command line) under Orca through
    run(session, step), where step(name, spoken, *fragments) keeps and checks what was said;
    with --transcript, prints what Orca said at each step."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--transcript", action="store_true")
    parser.add_argument("path")
    arguments = parser.parse_args()
    if orca_running():
        sys.exit("screen_reader: another Orca is running for this user; stop it first, since "
                 "only one Orca can run per user")
    started = time.monotonic()
    session = ReaderSession(command(arguments.path), **settings)
    steps = []

    def step(name, spoken, *fragments):
        steps.append((name, spoken))
        expect(name, spoken, *fragments)

    try:
        run(session, step)
        check(session.program.poll() is None, "the program ended")
    finally:
        session.close()
        if arguments.transcript:
            for name, spoken in steps:
                print(f"{name}: {' | '.join(spoken)}")
    print(f"screen reader: every step heard as designed ({time.monotonic() - started:.0f} s)")


if __name__ == "__main__":
    hear(run, lambda program: [program], QT_QPA_PLATFORM="xcb",
         QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
