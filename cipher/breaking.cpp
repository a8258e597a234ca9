// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/breaking.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "cipher/latin_capitals.h"
#include "cipher/trace_log.h"

namespace cipher {

namespace {

constexpr std::int32_t kAlphabetSize = 26;

std::size_t IndexOf(char16_t letter) { return static_cast<std::size_t>(letter - u'A'); }

// The letter that K becomes going back m places: D = (K - m) mod 26.
char16_t Decoded(char16_t letter, std::int32_t offset) {
    const std::int32_t index = (letter - u'A' - offset + kAlphabetSize) % kAlphabetSize;
    return static_cast<char16_t>(u'A' + index);
}

// Pearson's chi-squared of letters counted as cipher letters, read back by m, against the
// counts English text of the same length would have.
double ChiSquared(const LetterCounts& counts, std::size_t total, std::int32_t offset) {
    const std::array<double, 26>& english = EnglishLetterShares();
    double sum = 0;
    for (std::int32_t cipher = 0; cipher < kAlphabetSize; ++cipher) {
        const auto plain =
            static_cast<std::size_t>((cipher - offset + kAlphabetSize) % kAlphabetSize);
        const double expected = static_cast<double>(total) * english[plain] / 100;
        const double difference = counts[static_cast<std::size_t>(cipher)] - expected;
        sum += difference * difference / expected;
    }
    return sum;
}

}  // namespace

// Lewand, Robert E.: Cryptological Mathematics. Mathematical Association of America, 2000,
// p. 36: the relative frequencies of the letters in English text.
const std::array<double, 26>& EnglishLetterShares() {
    static constexpr std::array<double, 26> kShares = {
        8.167, 1.492, 2.782, 4.253, 12.702, 2.228, 2.015, 6.094, 6.966, 0.153, 0.772, 4.025, 2.406,
        6.749, 7.507, 1.929, 0.095, 5.987,  6.327, 9.056, 2.758, 0.978, 2.360, 0.150, 1.974, 0.074};
    return kShares;
}

BreakResult BreakCipher(std::u16string_view text) {
    BreakResult result;
    result.letters = LatinCapitals(text);
    for (const char16_t letter : result.letters) {
        ++result.counts[IndexOf(letter)];
    }
    if (result.letters.empty()) {
        return result;
    }
    for (std::int32_t offset = 1; offset < kAlphabetSize; ++offset) {
        KeyTrial trial{offset, ChiSquared(result.counts, result.letters.size(), offset), {}};
        trial.decoded.reserve(result.letters.size());
        for (const char16_t letter : result.letters) {
            trial.decoded.push_back(Decoded(letter, offset));
        }
        result.trials.push_back(std::move(trial));
    }
    std::stable_sort(result.trials.begin(), result.trials.end(),
                     [](const KeyTrial& a, const KeyTrial& b) { return a.score < b.score; });
    return result;
}

std::u16string DecryptionTrace(std::u16string_view letters, std::int32_t offset) {
    TraceLog log = TraceLog::Decryption(letters.size(), offset);
    for (const char16_t letter : letters) {
        log.AddDecryptionLine(letter, offset);
    }
    return log.Take();
}

}  // namespace cipher
