// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace cipher {

// Which way a key word shifts the letters.
enum class Direction : std::uint8_t { kEncrypt, kDecrypt };

// The alphabet's letters shifted each by the key word's letter under it, the key word repeated
// along them: forward to encrypt, back to decrypt. A key letter shifts by its place, A by 0,
// so a key word of one letter is the Caesar cipher. The key word is of the alphabet's letters;
// without any, the letters stay as they are.
std::u16string KeyWordShifted(const Alphabet& alphabet, std::u16string_view letters,
                              std::u16string_view keyWord, Direction direction);

// The key word repeated, or cut, to the count of letters: the row under them.
std::u16string KeyWordRow(std::u16string_view keyWord, std::size_t count);

// One letter's line on places, the key letter named with its shift and the wrap written out:
// "H + L(11) = 7 + 11 = 18 -> S", "Y + L(11) = 24 + 11 = 35 - 26 = 9 -> J", and back,
// "J - L(11) = 9 - 11 = -2 + 26 = 24 -> Y". Empty for a character not in the alphabet.
std::u16string KeyWordLine(const Alphabet& alphabet, char16_t letter, char16_t keyLetter,
                           Direction direction);

// The letters shifted one way line by line, then shifted back, each line ended by CR LF,
// headed by the length and the key word; the heading alone without a key word.
std::u16string KeyWordTrace(const Alphabet& alphabet, std::u16string_view letters,
                            std::u16string_view keyWord, Direction direction);

// The lines of the decryption alone, under the same heading.
std::u16string KeyWordDecryptionTrace(const Alphabet& alphabet, std::u16string_view letters,
                                      std::u16string_view keyWord);

}  // namespace cipher
