// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/vigenere_breaking.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/breaking.h"

namespace cipher {

namespace {

constexpr std::size_t kShortestGroup = 3;

// The groups of three letters that come more than once, each extended for as long as the
// letters before, and then after, all its places agree. A group whose places all follow those
// of one earlier group of three, as many, is part of the group found from that one.
std::vector<RepeatedGroup> FindRepeatedGroups(std::u16string_view letters) {
    std::vector<RepeatedGroup> groups;
    if (letters.size() <= kShortestGroup) {
        return groups;
    }
    std::vector<std::size_t> starts(letters.size() - kShortestGroup + 1);
    std::iota(starts.begin(), starts.end(), std::size_t{0});
    const auto three = [letters](std::size_t at) { return letters.substr(at, kShortestGroup); };
    std::stable_sort(starts.begin(), starts.end(),
                     [&three](std::size_t a, std::size_t b) { return three(a) < three(b); });
    // How often the three letters from each place come in the text.
    std::vector<std::size_t> occurrences(starts.size());
    std::vector<std::vector<std::size_t>> repeated;
    for (auto first = starts.begin(); first != starts.end();) {
        const auto last = std::find_if(first, starts.end(),
                                       [&](std::size_t at) { return three(at) != three(*first); });
        const auto count = static_cast<std::size_t>(last - first);
        std::for_each(first, last, [&](std::size_t at) { occurrences[at] = count; });
        if (count > 1) {
            repeated.emplace_back(first, last);
        }
        first = last;
    }
    for (std::vector<std::size_t>& places : repeated) {
        const auto agreeBefore = [&] {
            return places.front() > 0 &&
                   std::all_of(places.begin(), places.end(), [&](std::size_t at) {
                       return letters[at - 1] == letters[places.front() - 1];
                   });
        };
        if (agreeBefore() && occurrences[places.front() - 1] == places.size()) {
            continue;
        }
        std::size_t length = kShortestGroup;
        while (agreeBefore()) {
            std::for_each(places.begin(), places.end(), [](std::size_t& at) { --at; });
            ++length;
        }
        while (std::all_of(places.begin(), places.end(), [&](std::size_t at) {
            return at + length < letters.size() &&
                   letters[at + length] == letters[places.front() + length];
        })) {
            ++length;
        }
        // A long group with two places where a shorter one repeats more often is found, back
        // and forth, from each of them; it is listed once.
        if (std::any_of(groups.begin(), groups.end(), [&](const RepeatedGroup& found) {
                return found.places == places && found.letters.size() == length;
            })) {
            continue;
        }
        RepeatedGroup group{std::u16string(letters.substr(places.front(), length)), places, {}, {}};
        std::transform(places.begin() + 1, places.end(), places.begin(),
                       std::back_inserter(group.distances), std::minus<>());
        for (std::int32_t divisor = 2; divisor <= kLongestKeyWord; ++divisor) {
            const auto d = static_cast<std::size_t>(divisor);
            if (std::all_of(group.distances.begin(), group.distances.end(),
                            [d](std::size_t distance) { return distance % d == 0; })) {
                group.divisors.push_back(divisor);
            }
        }
        groups.push_back(std::move(group));
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const RepeatedGroup& a, const RepeatedGroup& b) {
                         if (a.letters.size() != b.letters.size()) {
                             return a.letters.size() > b.letters.size();
                         }
                         if (a.places.size() != b.places.size()) {
                             return a.places.size() > b.places.size();
                         }
                         return a.places.front() < b.places.front();
                     });
    return groups;
}

// The shift from 0 of a column's counted letters that the Caesar breaking ranks likeliest; 0
// for a column without letters.
std::int32_t LikeliestShift(const Alphabet& alphabet, const LetterCounts& counts) {
    const std::vector<ScoredOffset> ranked = RankOffsets(alphabet, counts, 0);
    return ranked.empty() ? 0 : ranked.front().offset;
}

}  // namespace

double Coincidence(const LetterCounts& counts) {
    const std::int64_t total = std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
    if (total < 2) {
        return 0;
    }
    const std::int64_t pairs = std::accumulate(
        counts.begin(), counts.end(), std::int64_t{0},
        [](std::int64_t sum, std::int32_t n) { return sum + std::int64_t{n} * (n - 1); });
    return static_cast<double>(pairs) / static_cast<double>(total * (total - 1));
}

double LanguageCoincidence(const Alphabet& alphabet) {
    return std::accumulate(alphabet.shares.begin(), alphabet.shares.end(), 0.0,
                           [](double sum, double share) { return sum + share * share / 10000; });
}

std::u16string Column(std::u16string_view letters, std::int32_t length, std::int32_t column) {
    std::u16string picked;
    for (auto at = static_cast<std::size_t>(column); at < letters.size();
         at += static_cast<std::size_t>(length)) {
        picked.push_back(letters[at]);
    }
    return picked;
}

KeyWordBreak BreakKeyWord(std::u16string_view text, const Alphabet& alphabet) {
    KeyWordBreak result;
    result.letters = alphabet.Reduce(text);
    result.groups = FindRepeatedGroups(result.letters);
    std::vector<double> logShares(alphabet.shares.size());
    std::transform(alphabet.shares.begin(), alphabet.shares.end(), logShares.begin(),
                   [](double share) { return std::log(share / 100); });
    // The length whose key word decrypts the text likeliest to be the language's, each letter
    // of the key word costing as much as choosing one of the alphabet's letters: a multiple of
    // the key word's length decrypts as well, but costs more, and columns too short to break
    // come out no likelier than chance. Worked on each column's counts: a letter counted at
    // place p, decrypted by a shift, is the language's letter p - shift.
    const double letterCost = std::log(static_cast<double>(alphabet.Size()));
    const auto size = static_cast<std::size_t>(alphabet.Size());
    double best = 0;
    for (std::int32_t length = 1; length <= kLongestKeyWord; ++length) {
        double coincidences = 0;
        double likelihood = -letterCost * length;
        std::u16string keyWord;
        for (std::int32_t column = 0; column < length; ++column) {
            const LetterCounts counts =
                CountLetters(alphabet, Column(result.letters, length, column));
            coincidences += Coincidence(counts);
            const auto shift = static_cast<std::size_t>(LikeliestShift(alphabet, counts));
            keyWord += alphabet.letters[shift];
            for (std::size_t place = 0; place < size; ++place) {
                likelihood += counts[place] * logShares[(place + size - shift) % size];
            }
        }
        result.coincidences.push_back(coincidences / length);
        result.keyWords.push_back(std::move(keyWord));
        if (length == 1 || likelihood > best) {
            best = likelihood;
            result.length = length;
        }
    }
    return result;
}

}  // namespace cipher
