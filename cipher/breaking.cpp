// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/breaking.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/decimal_text.h"

namespace cipher {

namespace {

// Pearson's chi-squared of the counted cipher letters read back by the offset against the
// language's counts for as many letters: the cipher letter c is then the language's c - offset.
double ChiSquared(const LetterCounts& counts, const std::vector<double>& language,
                  std::int32_t offset) {
    const std::size_t size = counts.size();
    double sum = 0;
    for (std::size_t cipher = 0; cipher < size; ++cipher) {
        const double expected = language[(cipher + size - static_cast<std::size_t>(offset)) % size];
        const double difference = counts[cipher] - expected;
        sum += difference * difference / expected;
    }
    return sum;
}

}  // namespace

LetterCounts CountLetters(const Alphabet& alphabet, std::u16string_view letters) {
    LetterCounts counts(alphabet.letters.size(), 0);
    for (const char16_t letter : letters) {
        ++counts[alphabet.PlaceOf(letter)];
    }
    return counts;
}

std::vector<double> ExpectedCounts(const Alphabet& alphabet, std::size_t total,
                                   std::int32_t offset) {
    std::vector<double> expected(alphabet.shares.size());
    std::transform(alphabet.shares.begin(), alphabet.shares.end(), expected.begin(),
                   [total](double share) { return static_cast<double>(total) * share / 100; });
    // Encrypted by m, the language's letter p shows as p + m.
    std::rotate(expected.begin(), expected.end() - offset, expected.end());
    return expected;
}

std::vector<ScoredOffset> RankOffsets(const Alphabet& alphabet, const LetterCounts& counts,
                                      std::int32_t firstOffset) {
    const auto total =
        static_cast<std::size_t>(std::accumulate(counts.begin(), counts.end(), std::int64_t{0}));
    const std::vector<double> language = ExpectedCounts(alphabet, total, 0);
    std::vector<ScoredOffset> ranked;
    for (std::int32_t offset = firstOffset; offset < alphabet.Size() && total > 0; ++offset) {
        ranked.push_back({offset, ChiSquared(counts, language, offset)});
    }
    std::stable_sort(
        ranked.begin(), ranked.end(),
        [](const ScoredOffset& a, const ScoredOffset& b) { return a.score < b.score; });
    return ranked;
}

BreakResult BreakCipher(std::u16string_view text, const Alphabet& alphabet,
                        std::int32_t firstOffset) {
    BreakResult result;
    result.letters = alphabet.Reduce(text);
    result.counts = CountLetters(alphabet, result.letters);
    for (const ScoredOffset& ranked : RankOffsets(alphabet, result.counts, firstOffset)) {
        KeyTrial trial{ranked, {}};
        trial.decoded.reserve(result.letters.size());
        for (const char16_t letter : result.letters) {
            trial.decoded.push_back(alphabet.Shifted(letter, -trial.offset));
        }
        result.trials.push_back(std::move(trial));
    }
    return result;
}

std::u16string DecryptionTrace(std::u16string_view letters, std::int32_t offset,
                               const Alphabet& alphabet) {
    std::u16string trace =
        TraceHeading(u"шифрирания текст и отместване", letters.size(), DecimalText(offset));
    for (const char16_t letter : letters) {
        trace += DecryptionLine(alphabet, letter, offset) + u"\r\n";
    }
    return trace;
}

}  // namespace cipher
