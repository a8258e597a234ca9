// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cipher {

// How often each of A to Z occurs.
using LetterCounts = std::array<std::int32_t, 26>;

// One offset tried on the whole encrypted text.
struct KeyTrial {
    std::int32_t offset = 0;  // m, from 1 to 25
    double score = 0;  // chi-squared of the decoded letters against English; lower is likelier
    std::u16string decoded;  // the letters decoded with m
};

// What trying every key on an encrypted text shows.
struct BreakResult {
    std::u16string letters;  // the text reduced as Calculate reduces the phrase
    LetterCounts counts{};   // of the letters
    // The offsets 1 to 25, likeliest first (equal scores by offset); empty without letters.
    std::vector<KeyTrial> trials;
};

// The share of each letter A to Z in English text, in percent.
const std::array<double, 26>& EnglishLetterShares();

// Tries every offset from 1 to 25 on the text's letters and ranks them by how English the
// decoded letters look.
BreakResult BreakCipher(std::u16string_view text);

// The decryption of the encrypted letters (A-Z only) by offset m, from 1 to 25, as a trace:
// a heading with the length and m, then a line per letter, "D - 3 = 68 - 3 = 65 -> A", each
// ended by CR LF.
std::u16string DecryptionTrace(std::u16string_view letters, std::int32_t offset);

}  // namespace cipher
