#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Third-party notices for a program linked with a static Qt, from what it really links.

collect QT_SOURCE QT_BUILD DEST
    Run once after Qt is built. Reads every qt_attribution.json in Qt's source and, through
    ninja's dependency log, which object files were compiled from each component's files.
    Writes DEST/attributions.json (each component with its licence and copyright texts
    resolved) and DEST/objects.tsv (object file name, then the components it carries), and
    copies Qt's own licence texts to DEST/licenses/.

notices DEST LINK_MAP QT_VERSION RUNTIME_COPYRIGHT OUT
    Reads the linker's map of a program and writes OUT: Qt, each component that some object
    file in the map carries, with its version, licence, copyright lines and licence texts,
    and the MinGW-w64 runtime (its terms as RUNTIME_COPYRIGHT, Debian's copyright file of
    it, gives them) where the map has it.
"""
import json
import os
import re
import shutil
import subprocess
import sys

# Components whose files are generated into another folder than their attribution's.
GENERATED_INTO = {"webgradients": ["src/gui/painting/webgradients.cpp"]}


def read_attribution(path):
    # Qt's attribution files put raw line breaks inside strings, which strict JSON forbids.
    with open(path, encoding="utf-8") as handle:
        data = json.loads(handle.read(), strict=False)
    return data if isinstance(data, list) else [data]


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as handle:
        return handle.read().strip("\n")


def names(value):
    """A field that names files: a list (Qt 6.8) or one string of names (Qt 6.4)."""
    if not value:
        return []
    if isinstance(value, list):
        return [name for item in value for name in names(item)]
    return [name for name in re.split(r"[\s,]+", value.strip()) if name]


def scopes(source, folder, entry):
    """The source paths (relative to Qt's source) that make up the component."""
    if entry["Id"] in GENERATED_INTO:
        return GENERATED_INTO[entry["Id"]]
    base = os.path.relpath(folder, source)
    named = names(entry.get("Files")) or names(entry.get("Path"))
    if not named:
        return [base + "/"]
    result = []
    for name in named:
        path = os.path.normpath(os.path.join(base, name))
        result.append(path + "/" if os.path.isdir(os.path.join(source, path)) else path)
    return result


def resolved(folder, entry):
    licence_files = names(entry.get("LicenseFiles")) or names(entry.get("LicenseFile"))
    copyright_text = entry.get("Copyright", "")
    if isinstance(copyright_text, list):
        copyright_text = "\n".join(copyright_text)
    if entry.get("CopyrightFile"):
        copyright_text = "\n".join(read_text(os.path.join(folder, name))
                                   for name in names(entry["CopyrightFile"]))
    return {
        "Id": entry["Id"],
        "Name": entry.get("Name", entry["Id"]),
        "Version": entry.get("Version", ""),
        "License": entry.get("License", ""),
        "LicenseId": entry.get("LicenseId", ""),
        "Copyright": copyright_text.strip(),
        "LicenseTexts": [read_text(os.path.join(folder, name)) for name in licence_files],
    }


def object_sources(build):
    """Maps each object file of the build to the sources and headers it was compiled from."""
    log = subprocess.run(["ninja", "-C", build, "-t", "deps"], check=True, text=True,
                         capture_output=True).stdout
    result = {}
    current = None
    for line in log.splitlines():
        if line and not line.startswith(" "):
            current = line.split(":", 1)[0]
            result[current] = []
        elif line.strip() and current:
            result[current].append(os.path.normpath(os.path.join(build, line.strip())))
    return result


def collect(source, build, dest):
    source = os.path.abspath(source)
    components = []
    for folder, _, files in sorted(os.walk(source)):
        relative = os.path.relpath(folder, source)
        if "qt_attribution.json" not in files or relative.split(os.sep)[0] in ("tests", "examples"):
            continue
        for entry in read_attribution(os.path.join(folder, "qt_attribution.json")):
            components.append((resolved(folder, entry), scopes(source, folder, entry)))

    carried = {}
    for target, sources in object_sources(build).items():
        relative = [os.path.relpath(path, source) for path in sources]
        ids = [component["Id"] for component, scope in components
               if any(path == s or (s.endswith("/") and path.startswith(s))
                      for path in relative for s in scope)]
        if ids:
            name = os.path.basename(target)
            carried.setdefault(name, set()).update(ids)

    os.makedirs(os.path.join(dest, "licenses"), exist_ok=True)
    with open(os.path.join(dest, "attributions.json"), "w", encoding="utf-8") as handle:
        json.dump([component for component, _ in components], handle, ensure_ascii=False,
                  indent=1)
    with open(os.path.join(dest, "objects.tsv"), "w", encoding="utf-8") as handle:
        for name in sorted(carried):
            handle.write(name + "\t" + ",".join(sorted(carried[name])) + "\n")
    for name in ("LGPL-3.0-only.txt", "GPL-3.0-only.txt"):
        shutil.copy(os.path.join(source, "LICENSES", name), os.path.join(dest, "licenses"))


def linked_files(link_map):
    """The object files, and the archives they came from, that a GNU ld map says went into
    the program."""
    objects = set()
    archives = set()
    with open(link_map, encoding="utf-8", errors="replace") as handle:
        for line in handle:
            for archive, member in re.findall(r"([^()\s/\\]+\.a)\(([^()\s]+)\)", line):
                archives.add(archive)
                objects.add(member)
            for path in re.findall(r"(\S+\.obj)\s*$", line):
                objects.add(os.path.basename(path))
    return objects, archives


def notices(dest, link_map, qt_version, runtime_copyright, out):
    with open(os.path.join(dest, "attributions.json"), encoding="utf-8") as handle:
        components = {component["Id"]: component for component in json.load(handle)}
    carried = {}
    with open(os.path.join(dest, "objects.tsv"), encoding="utf-8") as handle:
        for line in handle:
            name, ids = line.rstrip("\n").split("\t")
            carried[name] = ids.split(",")
    objects, archives = linked_files(link_map)
    # The linker's map is named after the program it maps.
    program = os.path.splitext(os.path.basename(link_map))[0] + ".exe"
    used = set()
    for name in objects:
        used.update(carried.get(name, []))
    if not used:
        sys.exit("qt_attributions: the link map names no object of Qt's third-party code")

    rule = "=" * 78
    parts = [
        f"Third-party software in {program}",
        "",
        f"{program} is free software under the GNU General Public License, version 3 or later",
        "(COPYING.txt). It contains the following software of others.",
        "",
        rule,
        f"Qt {qt_version} (Qt Core, Qt GUI, Qt Widgets and the Windows platform plugin)",
        "Licence: LGPL-3.0-only (COPYING.LESSER.txt, which builds on COPYING.txt)",
        "Copyright (C) The Qt Company Ltd. and other contributors.",
        "Source: Debian's qt6-base source package, built with tools/qt_for_windows.sh.",
        "",
        "Qt in turn contains:",
    ]
    for component in sorted((components[i] for i in used), key=lambda c: c["Name"].lower()):
        parts += ["", rule, component["Name"]]
        if component["Version"]:
            parts.append(f"Version: {component['Version']}")
        parts.append(f"Licence: {component['LicenseId'] or component['License']}")
        if component["Copyright"]:
            parts += ["", component["Copyright"]]
        for text in component["LicenseTexts"]:
            parts += ["", text]
    if archives & {"libmingwex.a", "libwinpthread.a"}:
        parts += ["", rule, "The MinGW-w64 runtime and its POSIX threads library (winpthreads)",
                  "Their terms, as Debian states them for the mingw-w64 package:", "",
                  read_text(runtime_copyright)]
    if archives & {"libstdc++.a", "libgcc.a", "libgcc_eh.a"}:
        parts += ["", rule, "GCC's runtime libraries (libstdc++ and libgcc)",
                  "Licence: GPL-3.0-or-later WITH GCC-exception-3.1. The GCC Runtime Library",
                  "Exception lets a program compiled with GCC carry these libraries under terms of",
                  f"its own choice; {program} carries them under the GPL, version 3 or later."]
    with open(out, "w", encoding="utf-8", newline="\r\n") as handle:
        handle.write("\n".join(parts) + "\n")


def main(argv):
    if len(argv) == 5 and argv[1] == "collect":
        collect(argv[2], argv[3], argv[4])
    elif len(argv) == 7 and argv[1] == "notices":
        notices(*argv[2:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
