// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"

namespace cipher {

// How often each letter of the alphabet occurs, in its order.
using LetterCounts = std::vector<std::int32_t>;

// How often each of the alphabet's letters occurs among LETTERS, all of them its letters.
LetterCounts CountLetters(const Alphabet& alphabet, std::u16string_view letters);

// How often each of the alphabet's letters would occur in the language's text of TOTAL letters
// encrypted by OFFSET, from 0 to one less than the alphabet's size.
std::vector<double> ExpectedCounts(const Alphabet& alphabet, std::size_t total,
                                   std::int32_t offset);

// An offset tried on counted cipher letters.
struct ScoredOffset {
    std::int32_t offset = 0;  // m, from the first tried to one less than the alphabet's size
    double score = 0;  // chi-squared of the decoded letters against the language; lower is likelier
};

// Every offset from the first to one less than the alphabet's size tried on the counted cipher
// letters, scored by Pearson's chi-squared of the counts against ExpectedCounts, likeliest first
// (equal scores by offset); none without letters.
std::vector<ScoredOffset> RankOffsets(const Alphabet& alphabet, const LetterCounts& counts,
                                      std::int32_t firstOffset);

// One offset tried on the whole encrypted text.
struct KeyTrial : ScoredOffset {
    std::u16string decoded;  // the letters decoded with m
};

// What trying every key on an encrypted text shows.
struct BreakResult {
    std::u16string letters;  // the text reduced to the alphabet's capitals
    LetterCounts counts;     // of the letters
    // Every offset tried, likeliest first (equal scores by offset); empty without letters.
    std::vector<KeyTrial> trials;
};

// Tries every offset from the first to one less than the alphabet's size on the text's letters
// in it, and ranks them by how much the decoded letters look like its language. A to Z are
// reduced as Calculate reduces the phrase. A Caesar key starts from 1; the letter of a key
// word, from 0, as it may be A.
BreakResult BreakCipher(std::u16string_view text, const Alphabet& alphabet = LatinAlphabet(),
                        std::int32_t firstOffset = 1);

// The decryption of the encrypted letters, all of the alphabet, by an offset m from 1 to one
// less than its size, as a trace: a heading with the length and m, then a line per letter,
// "D - 3 = 68 - 3 = 65 -> A" for A to Z, each ended by CR LF.
std::u16string DecryptionTrace(std::u16string_view letters, std::int32_t offset,
                               const Alphabet& alphabet = LatinAlphabet());

}  // namespace cipher
