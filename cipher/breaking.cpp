// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/breaking.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/decimal_text.h"

namespace cipher {

namespace {

// How often each of the alphabet's letters occurs among letters all of it.
LetterCounts CountLetters(const Alphabet& alphabet, std::u16string_view letters) {
    LetterCounts counts(alphabet.letters.size(), 0);
    for (const char16_t letter : letters) {
        ++counts[alphabet.PlaceOf(letter)];
    }
    return counts;
}

}  // namespace

double ChiSquared(const Alphabet& alphabet, const LetterCounts& counts, std::size_t total,
                  std::int32_t offset) {
    const std::int32_t size = alphabet.Size();
    double sum = 0;
    for (std::int32_t cipher = 0; cipher < size; ++cipher) {
        const auto plain = static_cast<std::size_t>((cipher - offset + size) % size);
        const double expected = static_cast<double>(total) * alphabet.shares[plain] / 100;
        const double difference = counts[static_cast<std::size_t>(cipher)] - expected;
        sum += difference * difference / expected;
    }
    return sum;
}

BreakResult BreakCipher(std::u16string_view text, const Alphabet& alphabet,
                        std::int32_t firstOffset) {
    BreakResult result;
    result.letters = alphabet.Reduce(text);
    result.counts = CountLetters(alphabet, result.letters);
    if (result.letters.empty()) {
        return result;
    }
    for (std::int32_t offset = firstOffset; offset < alphabet.Size(); ++offset) {
        KeyTrial trial{
            offset, ChiSquared(alphabet, result.counts, result.letters.size(), offset), {}};
        trial.decoded.reserve(result.letters.size());
        for (const char16_t letter : result.letters) {
            trial.decoded.push_back(alphabet.Shifted(letter, -offset));
        }
        result.trials.push_back(std::move(trial));
    }
    std::stable_sort(result.trials.begin(), result.trials.end(),
                     [](const KeyTrial& a, const KeyTrial& b) { return a.score < b.score; });
    return result;
}

std::u16string DecryptionTrace(std::u16string_view letters, std::int32_t offset,
                               const Alphabet& alphabet) {
    std::u16string trace = u"Дължина на шифрирания текст и отместване: " +
                           DecimalText(static_cast<std::int64_t>(letters.size())) + u":" +
                           DecimalText(offset) + u"\r\n";
    for (const char16_t letter : letters) {
        trace += DecryptionLine(alphabet, letter, offset) + u"\r\n";
    }
    return trace;
}

}  // namespace cipher
