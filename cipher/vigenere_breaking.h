// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/breaking.h"

namespace cipher {

// The key word lengths tried, from 1.
inline constexpr std::int32_t kLongestKeyWord = 12;

// The chance that two letters drawn from counted letters, without putting the first back, are
// the same letter; 0 for fewer than two.
double Coincidence(const LetterCounts& counts);
// The same chance in the language's text: its shares squared, summed.
double LanguageCoincidence(const Alphabet& alphabet);

// The letters in the column'th of LENGTH columns: every LENGTH'th from the column'th, the ones
// one key letter shifted.
std::u16string Column(std::u16string_view letters, std::int32_t length, std::int32_t column);

// A group of three or more letters that comes again later in the text. A key word repeats, so
// the same letters under the same part of it encrypt alike: the distances are then multiples
// of its length.
struct RepeatedGroup {
    std::u16string letters;
    std::vector<std::size_t> places;     // where it starts, from 0, in order
    std::vector<std::size_t> distances;  // from each place to the next
    std::vector<std::int32_t> divisors;  // from 2 to kLongestKeyWord, of every distance
};

// What the Kasiski and Friedman tests, and a Caesar breaking of each column, show of a text
// encrypted with a key word.
struct KeyWordBreak {
    std::u16string letters;  // the text reduced to the alphabet's capitals
    // For each length from 1 to kLongestKeyWord, the mean coincidence of its columns, and its
    // key word: each column's likeliest letter, the shift from 0 as the Caesar breaking ranks it.
    std::vector<double> coincidences;
    std::vector<std::u16string> keyWords;
    // Every group that repeats, each as long as all its places allow; the longest first, then
    // those that come most often, then by place.
    std::vector<RepeatedGroup> groups;
    std::int32_t length = 1;  // the likeliest key word length
};

KeyWordBreak BreakKeyWord(std::u16string_view text, const Alphabet& alphabet);

}  // namespace cipher
