// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"

namespace lesson {

// The most characters of an answer that are checked.
inline constexpr std::size_t kAnswerCap = 500;

// Which way the student shifts the letters they work from.
enum class Direction : std::uint8_t { kEncrypt, kDecrypt };

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
// the student works from shifted by the key, from 1 to one less than the alphabet's size, in
// the given direction; without the marks where only the count is wanted.
AnswerCheck CheckAnswer(std::u16string_view answer, std::u16string_view from, std::int32_t key,
                        Direction direction,
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
