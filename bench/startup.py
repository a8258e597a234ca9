#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up of the program beside a bare Qt window, seen from outside the processes.

Both run alternately under one Xvfb and one private D-Bus session bus. For each start the
harness takes the time from spawn to the first frame painted into the program's top-level
window (the first X DAMAGE report on it) and the peak resident set size, then prints the
medians and the median of the pairwise ratios. With --callgrind it counts the instructions
from start to first frame of each program instead, and shows where they go.

Usage: startup.py [--pairs N] CAESAR BARE_WINDOW
       startup.py --callgrind CAESAR BARE_WINDOW
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


def timing(desktop, caesar, bare, pairs):
    for program in (caesar, bare):  # warm the page cache and the fontconfig cache
        measure(desktop, program)
    results = {caesar: [], bare: []}
    for pair in range(pairs):
        order = (caesar, bare) if pair % 2 == 0 else (bare, caesar)
        for program in order:
            results[program].append(measure(desktop, program))
    frame = {p: [s for s, _ in r] for p, r in results.items()}
    rss = {p: [k for _, k in r] for p, r in results.items()}
    frame_ratios = [c / b for c, b in zip(frame[caesar], frame[bare])]
    rss_ratios = [c / b for c, b in zip(rss[caesar], rss[bare])]
    print(f"{pairs} pairs, alternating, one Xvfb and one session bus")
    print(f"first frame, median:  caesar {statistics.median(frame[caesar]) * 1000:7.1f} ms   "
          f"bare window {statistics.median(frame[bare]) * 1000:7.1f} ms")
    print(f"first frame, median of pairwise ratios: {statistics.median(frame_ratios):.3f}")
    print(f"peak RSS, median:     caesar {statistics.median(rss[caesar]) / 1024:7.1f} MiB  "
          f"bare window {statistics.median(rss[bare]) / 1024:7.1f} MiB")
    print(f"peak RSS, median of pairwise ratios: {statistics.median(rss_ratios):.3f}")


def callgrind(desktop, caesar, bare):
    totals = {}
    with tempfile.TemporaryDirectory() as scratch:
        for program in (caesar, bare):
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
    names = [os.path.basename(caesar), os.path.basename(bare)]
    print(f"instructions, caesar / bare window: {totals[names[0]] / totals[names[1]]:.3f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--pairs", type=int, default=20)
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("caesar")
    parser.add_argument("bare")
    arguments = parser.parse_args()
    desktop = Desktop()
    try:
        if arguments.callgrind:
            callgrind(desktop, arguments.caesar, arguments.bare)
        else:
            timing(desktop, arguments.caesar, arguments.bare, arguments.pairs)
    finally:
        desktop.close()


if __name__ == "__main__":
    main()
