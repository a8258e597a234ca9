#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts how often each letter follows each other one, and a word's first and last letters, in
a language's prose and the exercises' sentences, and writes them as a C++ table of costs: the
breaking of a substitution scores a guess by them. Finds its commonest short words too, for
the hints. Counted at build time, so that the page
carries the table alone and not the text.

Usage: make_letter_pairs.py OUT.cpp ENGLISH.txt ENGLISH_PHRASES.cpp BULGARIAN.txt
                            BULGARIAN_PHRASES.cpp
"""
import math
import re
import sys

LATIN = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
CYRILLIC = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"
# A sentence of the exercises: one string literal to a line.
PHRASE = re.compile(r'^\s*u?"(.*)",\s*$')
# Costs in sixteenths of the natural logarithm, so that a byte holds down to e^-16.
SCALE = 16


def phrases(path):
    with open(path, encoding="utf-8") as handle:
        return [m.group(1) for m in map(PHRASE.match, handle) if m]


def prose(path):
    with open(path, encoding="utf-8") as handle:
        return [handle.read()]


def costs(letters, texts):
    """Each pair's cost, row by row: the letters and, last, the gap between words."""
    gap = len(letters)
    size = gap + 1
    counts = [[0.5] * size for _ in range(size)]
    for text in texts:
        before = gap
        for character in in_capitals(text):
            symbol = letters.find(character)
            symbol = gap if symbol < 0 else symbol
            if not (symbol == gap and before == gap):
                counts[before][symbol] += 1
            before = symbol
        if before != gap:
            counts[before][gap] += 1
    total = sum(map(sum, counts))
    return [min(255, round(-math.log(c / total) * SCALE)) for row in counts for c in row]


def in_capitals(text):
    # The Bulgarian И with a grave accent is the same letter, as the lessons read it.
    return text.upper().replace("Ѝ", "И")


def short_words(letters, texts):
    """The three commonest words of one, two and three letters, longest last: "A I|OF IN TO|...".
    A part of a word joined by an apostrophe or a hyphen, as in "don't", is no word."""
    counts = {}
    for text in texts:
        for word in re.findall(f"[{letters}'’-]+", in_capitals(text)):
            if 0 < len(word) <= 3 and all(letter in letters for letter in word):
                counts[word] = counts.get(word, 0) + 1
    commonest = sorted(counts, key=lambda word: (-counts[word], word))
    return "|".join(" ".join([w for w in commonest if len(w) == n][:3]) for n in (1, 2, 3))


def table(name, values):
    rows = [", ".join(map(str, values[i:i + 16])) for i in range(0, len(values), 16)]
    body = ",\n    ".join(rows)
    return f"const std::uint8_t {name}[{len(values)}] = {{\n    {body},\n}};\n"


def main(out, english, english_phrases, bulgarian, bulgarian_phrases):
    with open(out, "w", encoding="utf-8") as handle:
        handle.write("// Made by make_letter_pairs.py from the prose and the exercises' sentences.\n"
                     "#include \"lesson/substitution/letter_pairs.h\"\n\n"
                     "namespace lesson {\n\n")
        for name, letters, texts in (
                ("English", LATIN, prose(english) + phrases(english_phrases)),
                ("Bulgarian", CYRILLIC, prose(bulgarian) + phrases(bulgarian_phrases))):
            handle.write(table(f"k{name}PairCosts", costs(letters, texts)))
            handle.write(f'const std::u16string_view k{name}ShortWords = u"{short_words(letters, texts)}";\n')
        handle.write("\n}  // namespace lesson\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
