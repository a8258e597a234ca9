// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/alphabet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>

#include "cipher/latin_capitals.h"

namespace cipher {

namespace {

constexpr std::u16string_view kCyrillicLetters = u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ";

// Lewand, Robert E.: Cryptological Mathematics. Mathematical Association of America, 2000,
// p. 36: the relative frequencies of the letters in English text.
constexpr std::array<double, 26> kEnglishShares = {
    8.167, 1.492, 2.782, 4.253, 12.702, 2.228, 2.015, 6.094, 6.966, 0.153, 0.772, 4.025, 2.406,
    6.749, 7.507, 1.929, 0.095, 5.987,  6.327, 9.056, 2.758, 0.978, 2.360, 0.150, 1.974, 0.074};

// Б. Стефанов, В. Бирданова (B. Stefanov, V. Birdanova), сп. "Computer", 1997, бр. 2,
// с. 56-62: the letters of Bulgarian text, counted over 352,975 letters; А to Я in order.
constexpr std::array<double, 30> kBulgarianShares = {
    11.60, 1.65, 4.71, 1.19, 3.11, 9.21, 0.77, 2.36, 8.82, 0.32, 2.99, 3.57, 2.68, 8.09, 8.75,
    3.05,  5.42, 5.02, 7.38, 1.54, 0.37, 0.67, 0.75, 1.44, 0.42, 0.43, 1.71, 0.01, 0.11, 1.86};

constexpr bool SumsToHundred(const auto& shares) {
    const double sum = std::accumulate(shares.begin(), shares.end(), 0.0);
    return sum > 99.99 && sum < 100.01;
}
static_assert(SumsToHundred(kEnglishShares) && SumsToHundred(kBulgarianShares));
static_assert(kCyrillicLetters.size() == kBulgarianShares.size());

// The capital a Bulgarian text's character stands for: а to я are upper-cased, and Ѝ and ѝ
// (an и with a grave accent, which tells a pronoun from the conjunction) count as И.
char16_t CyrillicCapitalOf(char16_t c) {
    if (c >= u'а' && c <= u'я') {
        return static_cast<char16_t>(c - u'а' + u'А');
    }
    return c == u'Ѝ' || c == u'ѝ' ? u'И' : c;
}

}  // namespace

std::u16string Alphabet::Reduce(std::u16string_view text) const {
    std::u16string capitals;
    capitals.reserve(text.size());
    for (const char16_t c : text) {
        const char16_t capital = capitalOf_(c);
        if (PlaceOf(capital) != std::u16string_view::npos) {
            capitals.push_back(capital);
        }
    }
    return capitals;
}

char16_t Alphabet::Shifted(char16_t letter, std::int32_t key) const {
    const std::size_t place = PlaceOf(letter);
    if (place == std::u16string_view::npos) {
        return letter;
    }
    return letters[(place + static_cast<std::size_t>(KeyOf(key))) % letters.size()];
}

char16_t Alphabet::Commonest() const {
    return letters[static_cast<std::size_t>(std::max_element(shares.begin(), shares.end()) -
                                            shares.begin())];
}

const Alphabet& LatinAlphabet() {
    static constexpr Alphabet kLatin{u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kEnglishShares,
                                     Numbering::kCharacterCode, LatinCapitalOf};
    return kLatin;
}

const Alphabet& CyrillicAlphabet() {
    static constexpr Alphabet kCyrillic{kCyrillicLetters, kBulgarianShares, Numbering::kPlace,
                                        CyrillicCapitalOf};
    return kCyrillic;
}

}  // namespace cipher
