// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/substitution/letter_pairs.h"

#include <cstdint>
#include <span>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

std::span<const std::uint8_t> PairCosts(const cipher::Alphabet& alphabet) {
    if (&alphabet == &cipher::CyrillicAlphabet()) {
        return kBulgarianPairCosts;
    }
    return kEnglishPairCosts;
}

std::u16string_view ShortWords(const cipher::Alphabet& alphabet) {
    if (&alphabet == &cipher::CyrillicAlphabet()) {
        return kBulgarianShortWords;
    }
    return kEnglishShortWords;
}

}  // namespace lesson
