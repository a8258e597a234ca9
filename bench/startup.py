#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up of the program beside its floors, seen from outside the processes.

All run in turn, in rounds, under one Xvfb and one private D-Bus session bus. For each start
the harness takes the time from spawn to the first frame painted into the program's top-level
window (the first X DAMAGE report on it) and the peak resident set size, then prints the
medians and, for each floor, the median of the ratios within a round. With --callgrind it
counts the instructions from start to first frame of each program instead, and shows where
they go.

Usage: startup.py [--pairs N] CAESAR FLOOR [FLOOR...]
       startup.py --callgrind CAESAR FLOOR [FLOOR...]
"""
import argparse
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay
from Xlib.ext import damage

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from virtual_desktop import VirtualDesktop  # noqa: E402

DEADLINE_SECONDS = 60


class Desktop:
    """A virtual desktop kept for all the starts, watched for new windows and their damage."""

    def __init__(self):
        self.virtual = VirtualDesktop()
        self.env = dict(self.virtual.env, QT_QPA_PLATFORM="xcb")
        self.display = xdisplay.Display(self.virtual.display)
        self.display.set_error_handler(lambda *args: None)  # windows may vanish before we look
        self.display.damage_query_version()  # the server serves no damage until asked
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()
        self.damage_event = self.display.extension_event.DamageNotify
        if isinstance(self.damage_event, tuple):
            self.damage_event = self.damage_event[0]

    def first_frame(self, command):
        """Starts command; returns the process and the seconds to its first painted frame."""
        self.drain()
        start = time.perf_counter()
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        damages = []
        end = start + DEADLINE_SECONDS
        while time.perf_counter() < end:
            if not self.display.pending_events():
                select.select([self.display.fileno()], [], [], 0.5)
            while self.display.pending_events():
                event = self.display.next_event()
                if event.type == X.CreateNotify:
                    damages.append(event.window.damage_create(damage.DamageReportNonEmpty))
                    self.display.flush()
                elif event.type == self.damage_event:
                    elapsed = time.perf_counter() - start
                    for handle in damages:
                        self.display.damage_destroy(handle)
                    self.display.flush()
                    return process, elapsed
        process.kill()
        raise RuntimeError(f"no frame from {command[-1]} within {DEADLINE_SECONDS} s")

    def drain(self):
        self.display.sync()
        while self.display.pending_events():
            self.display.next_event()

    def close(self):
        self.display.close()
        self.virtual.close()


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM")


def stop(process):
    process.terminate()
    process.wait(timeout=10)


def measure(desktop, program):
    process, seconds = desktop.first_frame([program])
    time.sleep(0.3)  # let it settle, then take the peak so far
    rss = peak_rss_kib(process.pid)
    stop(process)
    return seconds, rss


def timing(desktop, programs, rounds):
    for program in programs:  # warm the page cache and the fontconfig cache
        measure(desktop, program)
    results = {program: [] for program in programs}
    for round_ in range(rounds):
        # Each program goes first as often as the others.
        shift = round_ % len(programs)
        for program in programs[shift:] + programs[:shift]:
            results[program].append(measure(desktop, program))
    frame = {p: [s for s, _ in r] for p, r in results.items()}
    rss = {p: [k for _, k in r] for p, r in results.items()}
    names = {p: os.path.basename(p) for p in programs}
    caesar, floors = programs[0], programs[1:]
    print(f"{rounds} rounds, each program in turn, one Xvfb and one session bus")
    for program in programs:
        print(f"{names[program]:>14}: first frame {statistics.median(frame[program]) * 1000:7.1f} ms"
              f"   peak RSS {statistics.median(rss[program]) / 1024:6.1f} MiB (medians)")
    for floor in floors:
        frame_ratio = statistics.median(c / f for c, f in zip(frame[caesar], frame[floor]))
        rss_ratio = statistics.median(c / f for c, f in zip(rss[caesar], rss[floor]))
        print(f"{names[caesar]} / {names[floor]}: first frame {frame_ratio:.3f}, "
              f"peak RSS {rss_ratio:.3f} (medians of the ratios within a round)")


def callgrind(desktop, programs):
    totals = {}
    with tempfile.TemporaryDirectory() as scratch:
        for program in programs:
            name = os.path.basename(program)
            out = os.path.join(scratch, name + ".out")
            process, _ = desktop.first_frame(["valgrind", "--tool=callgrind", "--quiet",
                                              f"--callgrind-out-file={out}", program])
            # Dump at the first frame; what comes after is not start-up.
            subprocess.run(["callgrind_control", "--dump", str(process.pid)], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            stop(process)
            dump = out + ".1" if os.path.exists(out + ".1") else out
            annotated = subprocess.run(["callgrind_annotate", "--inclusive=no", dump],
                                       capture_output=True, text=True, check=True).stdout
            total = next(l for l in annotated.splitlines() if "PROGRAM TOTALS" in l)
            totals[name] = int(total.split()[0].replace(",", ""))
            print(f"== {name}: {totals[name]:,} instructions from start to first frame")
            print("   top cost centres (self):")
            lines = annotated.split("file:function")[1].splitlines()[2:14]
            for line in lines:
                print("   " + line.strip()[:110])
    names = [os.path.basename(program) for program in programs]
    for floor in names[1:]:
        print(f"instructions, {names[0]} / {floor}: {totals[names[0]] / totals[floor]:.3f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--pairs", type=int, default=20, help="rounds")
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("caesar")
    parser.add_argument("floors", nargs="+")
    arguments = parser.parse_args()
    programs = [arguments.caesar, *arguments.floors]
    desktop = Desktop()
    try:
        if arguments.callgrind:
            callgrind(desktop, programs)
        else:
            timing(desktop, programs, arguments.pairs)
    finally:
        desktop.close()


if __name__ == "__main__":
    main()
