// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"

namespace cipher {

// A key of the substitution cipher is the alphabet's letters in another order: the letter at
// each place of the key stands for the alphabet's letter at that place.

// The key word's letters first, each once, then the rest of the alphabet in its order: ZEBRA
// gives ZEBRACDFGHIJKLMNOPQSTUVWXY. The key word is read as the alphabet reads a text: small
// letters as capitals, anything else left out.
std::u16string MixedAlphabet(const Alphabet& alphabet, std::u16string_view keyWord);

// What keeps a typed key from being a key, each letter once, in the alphabet's order: the
// letters it gives more than once, and the alphabet's letters it lacks. A key's are both
// empty. The key is read as the alphabet reads a text.
struct KeyFaults {
    std::u16string repeated;
    std::u16string missing;
};
KeyFaults FaultsOfKey(const Alphabet& alphabet, std::u16string_view key);

// The letters substituted: encrypting, each of the alphabet's letters becomes the key's letter
// at its place; decrypting, each of the key's letters becomes the alphabet's letter at its
// place. Any other character stays as it is, and so does a letter past the end of a key too
// short.
std::u16string Substituted(const Alphabet& alphabet, std::u16string_view key,
                           std::u16string_view letters, Direction direction);

// One letter's line, its place and what it becomes: "H (7) -> F", the place in the alphabet;
// decrypting, "F (7) -> H", the place in the key. Empty for a character that is not a letter
// of the alphabet.
std::u16string SubstitutionLine(const Alphabet& alphabet, std::u16string_view key, char16_t letter,
                                Direction direction);

}  // namespace cipher
