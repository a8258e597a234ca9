#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the fuzzers' seed corpora: the edge cases the tests know, in each fuzzer's input format.

Usage: make_seeds.py OUTPUT_DIRECTORY   (creates command/ and offset/ inside it)
"""
import os
import struct
import sys

OFFSETS = ["3", "29", "26", "52", "-1", "-27", "", "abc", " 1 2", "2.5", "3.5", "0.5", "1e1",
           "3abc", "2147483647.4", "2147483647.5", "-2147483648.5", "1e400", "-1e400", "1e-400",
           "&H10", "1d2", "1e", "1e+", "0.5000000000000001", "2.4999999999999999",
           "99999999999", "1e20", ".5", "5.", "\t-\n3", "\r3", "1" + "0" * 400]

PHRASES = ["abcdefghijkl", "Hello, World!", "Цезар", "a1b2", "straße", "ABCYZ", "Z", "A",
           "\u0131\u017f", "x" * 50, "y" * 301, "\ud83d\ude00 emoji", "a\x00b\x01c"]


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


def field(op, text):
    units = utf16(text)
    return bytes([op]) + struct.pack("<H", len(units) // 2) + units


def write(directory, name, content):
    with open(os.path.join(directory, name), "wb") as seed:
        seed.write(content)


def main():
    root = sys.argv[1]
    for kind in ("command", "offset"):
        os.makedirs(os.path.join(root, kind), exist_ok=True)
    for number, offset in enumerate(OFFSETS):
        write(os.path.join(root, "offset"), f"offset-{number:02}", utf16(offset))
    calculate, clear, other = bytes([4]), bytes([6]), bytes([7]) + struct.pack("<h", -1)
    for number, phrase in enumerate(PHRASES):
        offset = OFFSETS[number % len(OFFSETS)]
        seed = field(0, phrase) + field(1, offset) + field(3, "help\r\n") + calculate
        seed += calculate + clear + calculate + field(0, phrase) + field(1, "3") + calculate + other
        write(os.path.join(root, "command"), f"command-{number:02}", seed)


if __name__ == "__main__":
    main()
