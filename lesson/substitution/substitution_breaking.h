// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"

namespace lesson {

// A substitution broken by climbing: from several starts, two letters of a guessed key trade
// places while that makes the text's letter pairs likelier in the language, and the likeliest
// key of all the starts is kept.
struct BrokenSubstitution {
    // The key found, as keys are written: the letter each of the alphabet's letters becomes.
    std::u16string key;
    // How likely the text's pairs are under the winning start's key, after each trade it kept,
    // from its first guess: the negated sum of their costs.
    std::vector<std::int64_t> climb;
};

// How many starts the breaking climbs from: the first guesses by the letters' frequencies, the
// others at random; enough that a text of a few hundred letters has its key found by one of
// them, few enough to answer at once.
inline constexpr int kBreakingStarts = 25;

// Letters that are not the alphabet's, and any other characters, are gaps between words.
BrokenSubstitution BreakSubstitution(const cipher::Alphabet& alphabet, std::u16string_view text);

}  // namespace lesson
