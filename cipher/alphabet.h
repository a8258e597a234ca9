// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cipher {

// How a trace writes a letter as a number. The A-Z lessons write its character code, as the
// window does. The Cyrillic ones write its place in the alphabet: the codes of А to Я take in
// Ы and Э, which Bulgarian does not use, so a code plus a key could land on them.
enum class Numbering : std::uint8_t { kCharacterCode, kPlace };

// The letters a lesson shifts, in order, with how often each occurs in the language written
// in them. The breaking, the exercises and their traces take one of these. Each is one
// object, never copied.
struct Alphabet {
    using CapitalOf = char16_t (*)(char16_t c);

    Alphabet(const Alphabet&) = delete;
    Alphabet& operator=(const Alphabet&) = delete;

    std::u16string_view letters;     // the capitals, numbered from 0
    std::span<const double> shares;  // percent, one per letter
    Numbering numbering;

    std::int32_t Size() const { return static_cast<std::int32_t>(letters.size()); }
    // The place of one of the letters, from 0.
    std::size_t PlaceOf(char16_t letter) const { return letters.find(letter); }
    // The key from 0 to one less than the size that shifts as the whole number does: -1 is the
    // last.
    std::int32_t KeyOf(std::int32_t number) const { return (number % Size() + Size()) % Size(); }
    // The letter that one of the letters becomes KEY places on, wrapping past the last; a
    // negative key goes back. Any other character stays as it is.
    char16_t Shifted(char16_t letter, std::int32_t key) const;
    // The text's letters turned into these capitals and kept in order; all else dropped.
    std::u16string Reduce(std::u16string_view text) const;
    // The letter the language uses most.
    char16_t Commonest() const;

private:
    friend const Alphabet& LatinAlphabet();
    friend const Alphabet& CyrillicAlphabet();
    constexpr Alphabet(std::u16string_view letters, std::span<const double> shares,
                       Numbering numbering, CapitalOf capitalOf)
        : letters(letters), shares(shares), numbering(numbering), capitalOf_(capitalOf) {}

    // The capital a character of the language's text stands for, if it is a letter.
    CapitalOf capitalOf_;
};

// A to Z, with English letter frequencies: the window's letters.
const Alphabet& LatinAlphabet();
// The 30 letters of Bulgarian, А to Я without Ы and Э, with Bulgarian letter frequencies.
const Alphabet& CyrillicAlphabet();

}  // namespace cipher
