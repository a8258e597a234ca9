#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the fuzzers' seed corpora: the edge cases the tests know, in each fuzzer's input format.

Usage: make_seeds.py OUTPUT_DIRECTORY   (creates command/, offset/, page/ and page.dict inside it)
"""
import json
import os
import struct
import sys

OFFSETS = ["3", "29", "26", "52", "-1", "-27", "", "abc", " 1 2", "2.5", "3.5", "0.5", "1e1",
           "3abc", "2147483647.4", "2147483647.5", "-2147483648.5", "1e400", "-1e400", "1e-400",
           "&H10", "1d2", "1e", "1e+", "0.5000000000000001", "2.4999999999999999",
           "99999999999", "1e20", ".5", "5.", "\t-\n3", "\r3", "1" + "0" * 400]

PHRASES = ["abcdefghijkl", "Hello, World!", "Цезар", "a1b2", "straße", "ABCYZ", "Z", "A",
           "\u0131\u017f", "x" * 50, "y" * 301, "\ud83d\ude00 emoji", "a\x00b\x01c"]

# Requests as the page writes them: the action first, then its arguments.
PAGE_REQUESTS = [
    {"action": "openingTexts"},
    {"action": "click", "index": 0, "phrase": "HELLO", "offset": "3"},
    {"action": "click", "index": 1, "phrase": "", "offset": "-27"},
    {"action": "click", "index": 0, "phrase": "Say \"hi\" \\ bye", "offset": "1e400"},
    {"action": "cyrillic", "phrase": "Цезар", "key": "3"},
    {"action": "break", "text": "Khoor, Zruog! \ud83d", "alphabet": "latin"},
    {"action": "choose", "row": 2},
    {"action": "exercise", "kind": "decrypt", "number": "7", "alphabet": "cyrillic"},
    {"action": "checkAnswer", "answer": "ЕЖЗ\n", "key": "5"},
    {"action": "hint"},
    {"action": "nextExercise"},
    {"action": "reveal"},
    {"action": "showExercise"},
    {"action": "sheet", "kinds": ["encrypt", "findKey"], "perSheet": "5", "variants": "2",
     "first": "1", "alphabet": "latin"},
    {"action": "vigenere", "direction": "encrypt", "text": "Attack at dawn", "keyWord": "lemon",
     "alphabet": "latin"},
    {"action": "vigenereBreak", "text": "LXFOPVEFRNHR LXFOPVEFRNHR", "alphabet": "latin"},
    {"action": "vigenereLength", "length": 3},
    {"action": "vigenereLetter", "column": 1, "letter": "E"},
    {"action": "vigenereColumn", "column": 2},
    {"action": "exercise", "kind": "encryptKeyWord", "number": "9", "alphabet": "latin"},
    {"action": "substitution", "direction": "encrypt", "text": "Hello, world!", "key": "zebra",
     "alphabet": "latin"},
    {"action": "substitution", "direction": "decrypt", "text": "ГАОКЮБЕ",
     "key": "АББВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ", "alphabet": "cyrillic"},
    {"action": "solvingStart", "text": "FAJJM, VMPJR!", "alphabet": "latin"},
    {"action": "solvingGuess", "letter": "J", "guess": "l"},
    {"action": "solvingBreak", "text": "FAJJM, VMPJR!", "alphabet": "latin"},
    {"action": "solvingHint", "text": "don't", "alphabet": "latin"},
    {"action": "exercise", "kind": "solveSubstitution", "number": "9999", "alphabet": "cyrillic"},
    {"action": "form"},
    {"action": "assignment", "code": "103-054-7118", "variant": "2"},
    {"action": "nextAssigned"},
    {"action": "type", "answer": "KHOOR", "key": "", "now": 1765353790000},
    {"action": "handIn", "name": "Мария\u202e", "className": "9 А", "number": "5",
     "now": 1765353790000},
    {"action": "keep", "stored": "", "now": 1765353790000},
    {"action": "merge", "stored": "x"},
    {"action": "restore", "kept": ""},
    {"action": "forget", "now": 1765353790000},
    {"action": "addResults", "fileName": "9а-05.txt", "size": 2000000, "text": "",
     "now": 1765353790000},
    {"action": "results", "sortBy": 4},
    {"action": "resultsCsv"},
]


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


def field(op, text):
    units = utf16(text)
    return bytes([op]) + struct.pack("<H", len(units) // 2) + units


def request(members):
    """The request's text as the page sends it: every code unit past ASCII escaped."""
    return json.dumps(members, ensure_ascii=True, separators=(",", ":")).encode("ascii")


def page_words():
    words = set()
    for members in PAGE_REQUESTS:
        for name, value in members.items():
            words.add(name)
            words.update(value if isinstance(value, list) else [value])
    return sorted(word for word in words
                  if isinstance(word, str) and word.isascii() and word.isalpha())


def write(directory, name, content):
    with open(os.path.join(directory, name), "wb") as seed:
        seed.write(content)


def main():
    root = sys.argv[1]
    for kind in ("command", "offset", "page"):
        os.makedirs(os.path.join(root, kind), exist_ok=True)
    for number, offset in enumerate(OFFSETS):
        write(os.path.join(root, "offset"), f"offset-{number:02}", utf16(offset))
    calculate, clear, other = bytes([4]), bytes([6]), bytes([7]) + struct.pack("<h", -1)
    for number, phrase in enumerate(PHRASES):
        offset = OFFSETS[number % len(OFFSETS)]
        seed = field(0, phrase) + field(1, offset) + field(3, "help\r\n") + calculate
        seed += calculate + clear + calculate + field(0, phrase) + field(1, "3") + calculate + other
        write(os.path.join(root, "command"), f"command-{number:02}", seed)
    for number, members in enumerate(PAGE_REQUESTS):
        write(os.path.join(root, "page"), f"page-{number:02}", request(members))
    # The requests' names and words, quoted as in a request, for the fuzzer to put together.
    with open(os.path.join(root, "page.dict"), "w", encoding="ascii") as dictionary:
        dictionary.writelines(json.dumps(f'"{word}"') + "\n" for word in page_words())


if __name__ == "__main__":
    main()
