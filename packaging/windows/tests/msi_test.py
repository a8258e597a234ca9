#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs the .msi silently into a fresh Wine prefix ($WINEPREFIX, made anew), as a school's
administrator would: checks the program, its licence texts, the lessons page as built, the
Start-menu shortcuts to the program and to the page, and the entry in Apps and Features, and
starts the installed program until its window shows. Then
installs a rebuild of the same version, which must replace the first (one entry, one
program), uninstalls silently and checks that nothing is left in Program Files.

Usage: msi_test.py PATH/TO/PROGRAM-VERSION.msi PATH/TO/REBUILT.msi PUBLISHER CAPTION LESSONS.html
"""
import filecmp
import glob
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools"))
from virtual_desktop import Deadline, VirtualDesktop, check  # noqa: E402

WINE_RUN = os.path.join(HERE, "..", "..", "..", "tools", "wine_run.sh")
NAME = "Шифър на Цезар"
LESSONS = "Шифър на Цезар — уроци в браузъра"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


def main():
    msi, rebuilt = (os.path.abspath(path) for path in sys.argv[1:3])
    publisher, caption, page = sys.argv[3:6]
    # Within the test's own time limit, with room to report.
    deadline = Deadline(270)
    # The installer is named after the program: PROGRAM-VERSION.msi.
    stem, version = os.path.splitext(os.path.basename(msi))[0].rsplit("-", 1)
    program_file = stem + ".exe"
    prefix = os.environ["WINEPREFIX"]
    shutil.rmtree(prefix, ignore_errors=True)
    desktop = VirtualDesktop()
    env = dict(desktop.env, WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all")
    drive = os.path.join(prefix, "drive_c")
    installed = os.path.join(drive, "Program Files", "Caesar Cipher Lesson")
    # Windows puts a per-machine shortcut in the common Start menu; Wine 8 resolves the
    # installer's ProgramMenuFolder to the user's even with ALLUSERS=1.
    shortcuts = [os.path.join(drive, *folder, "Microsoft", "Windows", "Start Menu", "Programs",
                              name + ".lnk")
                 for folder in (("ProgramData",), ("users", os.environ.get("USER", "root"),
                                                   "AppData", "Roaming"))
                 for name in (NAME, LESSONS)]

    def wine(*arguments, **options):
        return subprocess.run(["wine", *arguments], env=env, capture_output=True, text=True,
                              **options)

    def uninstall_entries():
        # Exported to a file: Wine's console would lose the Cyrillic of a listing.
        exported = os.path.join(prefix, "uninstall.reg")
        wine("reg", "export", UNINSTALL_KEY, "Z:" + exported.replace("/", "\\"), "/y")
        with open(exported, encoding="utf-16") as registry:
            entries = registry.read().replace("\r\n", "\n").split("\n\n")
        return [entry for entry in entries if f'"DisplayName"="{NAME}"' in entry]

    def install(installer):
        result = wine("msiexec", "/i", "Z:" + installer.replace("/", "\\"), "/qn")
        check(result.returncode == 0, f"msiexec /i {installer} failed: {result.returncode}")

    try:
        subprocess.run([WINE_RUN, "--prepare"], env=env, check=True)
        install(msi)
        summary = subprocess.run(["msiinfo", "suminfo", msi], capture_output=True, text=True,
                                 check=True).stdout
        for line in ("Template: x64;1026", f"Author: {publisher}",
                     f"Subject: {NAME} {version}", "Comments: Инсталира „Шифър на Цезар“"):
            check(line in summary, f"the installer's summary lacks {line!r}:\n{summary}")
        lessons_file = os.path.basename(page)
        for name in (program_file, "COPYING.txt", "COPYING.LESSER.txt",
                     "THIRD-PARTY-NOTICES.txt", lessons_file):
            check(os.path.isfile(os.path.join(installed, name)), f"no {name} installed")
        check(filecmp.cmp(os.path.join(installed, lessons_file), page, shallow=False),
              "the installed lessons page is not the one built")
        found = [shortcut for shortcut in shortcuts if os.path.isfile(shortcut)]
        check(len(found) == 2, f"the Start-menu shortcuts are {found}")
        # The shortcut names its target's full path in its link information.
        lessons_target = "C:\\Program Files\\Caesar Cipher Lesson\\" + lessons_file
        with open(next(shortcut for shortcut in found if LESSONS in shortcut), "rb") as link:
            check(lessons_target.encode() + b"\0" in link.read(),
                  f"the shortcut {LESSONS} does not open {lessons_target}")
        entries = uninstall_entries()
        check(len(entries) == 1, f"{len(entries)} entries in Apps and Features")
        entry = entries[0]
        for value in (f'"DisplayVersion"="{version}"', f'"Publisher"="{publisher}"'):
            check(value in entry, f"the Apps and Features entry lacks {value!r}:\n{entry}")
        # Apps and Features shows the product's icon, which the installer keeps here.
        check(glob.glob(os.path.join(drive, "windows", "Installer", "{*}", "caesar.ico")),
              "the installer kept no icon for Apps and Features")

        program = subprocess.Popen(
            ["wine", "C:\\Program Files\\Caesar Cipher Lesson\\" + program_file], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = desktop.find_window(deadline, name=caption)
        desktop.press_close_box(window)
        deadline.wait_for("the installed program to end", lambda: program.poll() is not None)

        install(rebuilt)
        entries = uninstall_entries()
        check(len(entries) == 1, f"after the rebuild, {len(entries)} entries in Apps and Features")
        check(entries[0] != entry, "the rebuild did not replace the first installation")
        check(os.path.isfile(os.path.join(installed, program_file)),
              f"no {program_file} after the rebuild")

        result = wine("msiexec", "/x", "Z:" + rebuilt.replace("/", "\\"), "/qn")
        check(result.returncode == 0, f"msiexec /x failed: {result.returncode}")
        check(not os.path.exists(installed), "the program's folder is left in Program Files")
        check(not any(os.path.exists(shortcut) for shortcut in shortcuts),
              "the Start-menu shortcut is left")
        check(not uninstall_entries(), "the Apps and Features entry is left")
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        desktop.close()
    print("msi: installs silently with its licences, lessons page, shortcuts and Apps entry, "
          "starts, is replaced by a rebuild of the same version, and uninstalls clean")


if __name__ == "__main__":
    main()
