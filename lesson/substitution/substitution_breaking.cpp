// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/substitution/substitution_breaking.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/substitution/commonest_first.h"
#include "lesson/substitution/letter_pairs.h"
#include "lesson/text/mixed_bits.h"

namespace lesson {

namespace {

// The text's pairs counted, letters by their places and the gap last, and a guess at the key
// kept the other way round: the plain letter each cipher letter stands for.
class Climb {
public:
    Climb(const cipher::Alphabet& alphabet, std::u16string_view text)
        : m_size(static_cast<std::size_t>(alphabet.Size()) + 1),
          m_costs(PairCosts(alphabet)),
          m_pairs(m_size * m_size, 0),
          m_counts(m_size - 1, 0) {
        const std::size_t gap = m_size - 1;
        std::size_t before = gap;
        for (const char16_t c : text) {
            const std::u16string capital = alphabet.Reduce(std::u16string_view(&c, 1));
            const std::size_t symbol = capital.empty() ? gap : alphabet.PlaceOf(capital[0]);
            if (symbol != gap || before != gap) {
                ++m_pairs[before * m_size + symbol];
            }
            if (symbol != gap) {
                ++m_counts[symbol];
            }
            before = symbol;
        }
        if (before != gap) {
            ++m_pairs[before * m_size + gap];
        }
        for (std::size_t letter = 0; letter < gap; ++letter) {
            if (m_counts[letter] > 0) {
                m_present.push_back(letter);
            }
        }
    }

    std::int64_t Score(const std::vector<std::size_t>& plain) const {
        std::int64_t score = 0;
        for (std::size_t a = 0; a < m_size; ++a) {
            for (std::size_t b = 0; b < m_size; ++b) {
                score -= std::int64_t{m_pairs[a * m_size + b]} * Cost(plain[a], plain[b]);
            }
        }
        return score;
    }

    // What trading the plain letters of cipher letters x and y would add to the score: only
    // the pairs with either of them change.
    std::int64_t Gain(const std::vector<std::size_t>& plain, std::size_t x, std::size_t y) const {
        const auto traded = [&](std::size_t s) {
            return s == x ? plain[y] : s == y ? plain[x] : plain[s];
        };
        std::int64_t gain = 0;
        const auto add = [&](std::size_t a, std::size_t b) {
            const std::int64_t count = m_pairs[a * m_size + b];
            if (count != 0) {
                gain += count * (Cost(plain[a], plain[b]) - Cost(traded(a), traded(b)));
            }
        };
        for (std::size_t b = 0; b < m_size; ++b) {
            add(x, b);
            add(y, b);
        }
        for (std::size_t a = 0; a < m_size; ++a) {
            if (a != x && a != y) {
                add(a, x);
                add(a, y);
            }
        }
        return gain;
    }

    // Trades while any trade gains, each cipher letter of the text against every letter.
    std::vector<std::int64_t> Run(std::vector<std::size_t>& plain) const {
        std::vector<std::int64_t> climb{Score(plain)};
        const std::size_t letters = m_size - 1;
        for (bool gained = true; gained;) {
            gained = false;
            for (const std::size_t x : m_present) {
                for (std::size_t y = 0; y < letters; ++y) {
                    const std::int64_t gain = y == x ? 0 : Gain(plain, x, y);
                    if (gain > 0) {
                        std::swap(plain[x], plain[y]);
                        climb.push_back(climb.back() + gain);
                        gained = true;
                    }
                }
            }
        }
        return climb;
    }

    // The cipher letters by how often they occur, most first, stand for the language's
    // letters by their shares.
    std::vector<std::size_t> FrequencyGuess(const cipher::Alphabet& alphabet) const {
        const std::size_t letters = m_size - 1;
        const std::vector<std::size_t> byCount =
            CommonestFirst(std::span<const std::int32_t>(m_counts));
        const std::vector<std::size_t> byShare = CommonestFirst(alphabet.shares);
        std::vector<std::size_t> plain(m_size, letters);
        for (std::size_t i = 0; i < letters; ++i) {
            plain[byCount[i]] = byShare[i];
        }
        return plain;
    }

private:
    std::int64_t Cost(std::size_t a, std::size_t b) const { return m_costs[a * m_size + b]; }

    std::size_t m_size;
    std::span<const std::uint8_t> m_costs;
    std::vector<std::int32_t> m_pairs;
    std::vector<std::int32_t> m_counts;
    std::vector<std::size_t> m_present;
};

}  // namespace

BrokenSubstitution BreakSubstitution(const cipher::Alphabet& alphabet, std::u16string_view text) {
    const Climb climb(alphabet, text);
    const std::size_t letters = alphabet.letters.size();
    std::vector<std::size_t> best = climb.FrequencyGuess(alphabet);
    BrokenSubstitution broken{{}, climb.Run(best)};
    // A fixed sequence, so that the same text is always broken alike, here and in the page.
    std::uint64_t draw = 0;
    for (int start = 0; start + 1 < kBreakingStarts; ++start) {
        std::vector<std::size_t> plain(letters + 1);
        std::iota(plain.begin(), plain.end(), std::size_t{0});
        for (std::size_t i = letters - 1; i > 0; --i) {
            std::swap(plain[i], plain[Mixed(draw) % (i + 1)]);
            draw += kMixedIncrement;
        }
        std::vector<std::int64_t> scores = climb.Run(plain);
        if (scores.back() > broken.climb.back()) {
            best = plain;
            broken.climb = std::move(scores);
        }
    }
    broken.key.assign(letters, u'?');
    for (std::size_t cipherLetter = 0; cipherLetter < letters; ++cipherLetter) {
        broken.key[best[cipherLetter]] = alphabet.letters[cipherLetter];
    }
    return broken;
}

}  // namespace lesson
