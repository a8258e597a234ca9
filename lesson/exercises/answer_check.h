// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"

namespace lesson {

// The most characters of an answer that are checked.
inline constexpr std::size_t kAnswerCap = 500;

// Which way the student shifts the letters they work from.
using Direction = cipher::Direction;

// What an exercise's letters are shifted by: a Caesar key, from 1 to one less than the
// alphabet's size, or a key word of the alphabet's letters, each shifting the letter under it
// by its place; or the mixed alphabet they are substituted with.
struct ExerciseKey {
    // Either makes one, where a key is asked for.
    // cppcheck-suppress noExplicitConstructor
    ExerciseKey(std::int32_t number) : number(number) {}
    // cppcheck-suppress noExplicitConstructor
    ExerciseKey(std::u16string_view word) : word(word) {}

    std::int32_t number = 0;
    std::u16string_view word;   // empty for a Caesar key
    std::u16string_view mixed;  // empty but for a substitution

    // The letter at the place, encrypted or decrypted.
    char16_t Becomes(const cipher::Alphabet& alphabet, char16_t letter, std::size_t place,
                     Direction direction) const;

    // The shift of the letter at the place, from 0.
    std::int32_t ShiftAt(const cipher::Alphabet& alphabet, std::size_t place) const;
    // The trace's line for the letter at the place, shifted by its own shift and EXTRA more:
    // "D - 3 = 68 - 3 = 65 -> A" for a Caesar key on A to Z, "H + L(11) = 7 + 11 = 18 -> S"
    // for a key word, "H (7) -> F" for a substitution, which takes no extra shift.
    std::u16string Line(const cipher::Alphabet& alphabet, char16_t letter, std::size_t place,
                        Direction direction, std::int32_t extra = 0) const;
};

// One letter of the expected answer, or one letter too many, as the check found it.
struct LetterMark {
    enum class Kind : std::uint8_t { kRight, kWrong, kMissing, kExtra };
    Kind kind = Kind::kRight;
    // The place in the expected letters, from 1; a letter too many stands before this place.
    std::size_t place = 0;
    char16_t expected = 0;  // none for a letter too many
    char16_t given = 0;     // none for a missing letter
    // For a wrong or missing letter, its line of arithmetic as the trace writes it.
    std::u16string line;
};

// The answer's letters against the expected ones, aligned so that a missing or an extra letter
// does not make every letter after it wrong.
struct AnswerCheck {
    std::vector<LetterMark> marks;  // in the order of the answer
    std::size_t right = 0;
    std::size_t expected = 0;
    std::size_t given = 0;      // the answer's letters
    std::u16string summary;     // "7 от 9 букви са верни", and how many are too many
    std::u16string lookAlikes;  // the letters of the other script read as the alphabet's
};

// Checks the letters of the answer, reduced to the alphabet's capitals, against the letters
// the student works from shifted by the key in the given direction; without the marks where
// only the count is wanted.
AnswerCheck CheckAnswer(std::u16string_view answer, std::u16string_view from,
                        const ExerciseKey& key, Direction direction,
                        const cipher::Alphabet& alphabet = cipher::LatinAlphabet(),
                        bool marked = true);

// A key typed for the letters' own key, read the way the window reads the offset and taken
// modulo the alphabet's size.
struct KeyCheck {
    bool right = false;
    std::u16string note;  // "29 е същото като 3" for an equivalent key, or what is wrong
};

KeyCheck CheckKey(std::u16string_view typed, std::int32_t key,
                  const cipher::Alphabet& alphabet = cipher::LatinAlphabet());

}  // namespace lesson
