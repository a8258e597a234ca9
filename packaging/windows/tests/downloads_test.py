#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the Windows program and its .zip as a school downloads them:
- every DLL the program imports is one that Windows itself provides (Qt, the C++ runtime and
  the threads library are linked in);
- its manifest, read out of its resources, declares Windows 10 and 11, per-monitor DPI
  awareness (v2) and Common Controls 6;
- its icon has the small sizes that title bars and the taskbar take at 100%, 125% and 150%;
- the .zip holds the program with the GPL, the LGPL, the third-party notices and the lessons
  page as built, and the notices name the code bundled in Qt that the program carries, and
  nothing it does not.

Usage: downloads_test.py PROGRAM.exe PROGRAM-VERSION.zip LESSONS_PAGE.html
"""
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

SYSTEM_DLLS = re.compile(
    r"(advapi32|shcore|authz|comdlg32|d3d11|d3d12|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|"
    r"kernel32|msvcrt|netapi32|ntdll|ole32|oleaut32|setupapi|shell32|shlwapi|user32|userenv|"
    r"uxtheme|version|winmm|ws2_32|wtsapi32|cfgmgr32|comctl32|mpr|"
    r"api-ms-win-[a-z0-9-]+)\.dll")
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
RT_GROUP_ICON = 14
RT_MANIFEST = 24
# The bundled code that the program must name, as Qt's attributions call it, and code that
# only the tests link. Which font and image code goes in follows Qt's version (Qt 6.4 links
# FreeType and libjpeg-turbo in, Qt 6.8 neither), so only what both carry is listed.
CARRIED = ["HarfBuzz-NG", "LibPNG", "PCRE2", "Data Compression Library (zlib)",
           "Efficient Binary-Decimal and Decimal-Binary", "BLAKE2", "The MinGW-w64 runtime"]
NOT_CARRIED = ["Valgrind", "Cocoa Platform Plugin", "Vulkan Memory Allocator"]


def check(condition, message):
    if not condition:
        sys.exit(f"downloads_test: {message}")


def imports(exe):
    listing = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], check=True,
                             capture_output=True, text=True).stdout
    return sorted({name.lower() for name in re.findall(r"^\tDLL Name: (\S+)", listing, re.M)})


def resource(exe, type_id, name_id):
    """The bytes of one resource of a PE32+ file: the first language of type and name (the
    first name where name_id is None)."""
    with open(exe, "rb") as handle:
        data = handle.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    check(struct.unpack_from("<H", data, optional)[0] == 0x20B, "not a 64-bit program")
    resources_rva = struct.unpack_from("<I", data, optional + 112 + 2 * 8)[0]
    table = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i)
             for i in range(sections)]

    def offset(rva):
        for virtual_size, address, raw_size, raw in table:
            if address <= rva < address + max(virtual_size, raw_size):
                return rva - address + raw
        sys.exit(f"downloads_test: address {rva:#x} is in no section")

    root = offset(resources_rva)

    def entry(directory, wanted):
        named, numbered = struct.unpack_from("<12xHH", data, root + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, root + directory + 16 + 8 * i)
            if wanted is None or name == wanted:
                return target & 0x7FFFFFFF
        sys.exit(f"downloads_test: no resource {type_id}/{name_id} in {exe}")

    leaf = entry(entry(entry(0, type_id), name_id), None)
    rva, size = struct.unpack_from("<II", data, root + leaf)
    return data[offset(rva):offset(rva) + size]


def main():
    exe, download, page = sys.argv[1:4]
    program = os.path.basename(exe)
    lessons = os.path.basename(page)

    dlls = imports(exe)
    check(dlls, f"no imports read from {exe}")
    foreign = [dll for dll in dlls if not SYSTEM_DLLS.fullmatch(dll)]
    check(not foreign, f"not Windows system DLLs: {foreign}")

    icons = resource(exe, RT_GROUP_ICON, None)
    count = struct.unpack_from("<H", icons, 4)[0]
    sizes = sorted(icons[6 + 14 * i] or 256 for i in range(count))
    check({16, 20, 24, 32, 48, 256} <= set(sizes), f"the icon has the sizes {sizes}")

    manifest = ElementTree.fromstring(resource(exe, RT_MANIFEST, 1))
    names = {element.tag.split("}")[1]: element for element in manifest.iter()}
    check(names["supportedOS"].get("Id") == WINDOWS_10, "no Windows 10 and 11 in the manifest")
    check(names["dpiAwareness"].text == "PerMonitorV2", "no per-monitor v2 DPI awareness")
    check(names["dpiAware"].text == "true/pm", "no per-monitor DPI awareness for Windows 8.1")
    controls = [element for element in manifest.iter() if element.tag.endswith("assemblyIdentity")
                and element.get("name") == "Microsoft.Windows.Common-Controls"]
    check(controls and controls[0].get("version") == "6.0.0.0", "no Common Controls 6")

    with zipfile.ZipFile(download) as archive:
        check(sorted(archive.namelist()) == ["COPYING.LESSER.txt", "COPYING.txt",
                                             "THIRD-PARTY-NOTICES.txt", program, lessons],
              f"the .zip holds {archive.namelist()}")
        with open(exe, "rb") as handle:
            check(archive.read(program) == handle.read(), "the .zip's program is another")
        with open(page, "rb") as handle:
            check(archive.read(lessons) == handle.read(), "the .zip's lessons page is another")
        check("GNU GENERAL PUBLIC LICENSE" in archive.read("COPYING.txt").decode(),
              "COPYING.txt is not the GPL")
        check("GNU LESSER GENERAL PUBLIC LICENSE" in archive.read("COPYING.LESSER.txt").decode(),
              "COPYING.LESSER.txt is not the LGPL")
        notices = archive.read("THIRD-PARTY-NOTICES.txt").decode()
    headings = re.findall(r"^={78}\r\n(.*)\r$", notices, re.M)
    missing = [name for name in CARRIED if not any(h.startswith(name) for h in headings)]
    check(not missing, f"the notices lack {missing}; they name {headings}")
    extra = [name for name in NOT_CARRIED if any(h.startswith(name) for h in headings)]
    check(not extra, f"the notices name {extra}, which the program does not carry")
    print(f"{exe}: imports {' '.join(dlls)}")
    print(f"{download}: the program, its licences and {len(headings)} notices: "
          + "; ".join(headings))


if __name__ == "__main__":
    main()
