// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

// How unlikely each letter is to follow each other one in the language, counted at build time
// from prose and the exercises' sentences: the row is the letter before, the column the one
// after, in the alphabet's order, and the last row and column are the gap between words, so
// that a word's first and last letters count too. Each cost is -16 ln of the pair's share.
std::span<const std::uint8_t> PairCosts(const cipher::Alphabet& alphabet);

// The language's three commonest words of one, two and three letters, in capitals, the lengths
// apart: "A I|OF IN TO|THE AND YOU", from the same texts.
std::u16string_view ShortWords(const cipher::Alphabet& alphabet);

extern const std::uint8_t kEnglishPairCosts[27 * 27];
extern const std::uint8_t kBulgarianPairCosts[31 * 31];
extern const std::u16string_view kEnglishShortWords;
extern const std::u16string_view kBulgarianShortWords;

}  // namespace lesson
