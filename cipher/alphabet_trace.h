// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace cipher {

// A trace's heading, ended by CR LF: "Дължина на " and WHAT, then the count of letters and the
// key: "Дължина на текста и ключова дума: 12:LEMON".
std::u16string TraceHeading(std::u16string_view what, std::size_t count, std::u16string_view key);

// One line of a trace, without its line end: the encode line of one of the alphabet's letters
// by a key from 1 to one less than its size, and the decryption line of an encrypted letter.
// Any other key is taken modulo the size; a character not in the alphabet has no line. A-Z
// write the window's character codes, "D - 3 = 68 - 3 = 65 -> A"; an alphabet numbered by
// place writes the places, with the wrap written out so that each line is true as written:
// "Ю + 3 = 28 + 3 = 31 - 30 = 1 -> Б", "Б - 3 = 1 - 3 = -2 + 30 = 28 -> Ю".
std::u16string EncodeLine(const Alphabet& alphabet, char16_t letter, std::int32_t key);
std::u16string DecryptionLine(const Alphabet& alphabet, char16_t letter, std::int32_t key);
// "L + k = p + k = s - n = r -> R" on the places of LETTERS, in which the letter is: a step of
// AMOUNT, back or on, written as AMOUNT_NAME after the letter ("H + L(11) = 7 + 11 = 18 -> S"
// for a key letter), then the wrap back among them where the sum leaves them. The amount lies
// within their count, so one wrap brings every sum back.
std::u16string PlaceLine(std::u16string_view letters, char16_t letter, std::int32_t amount,
                         bool back, std::u16string_view amountName);
// The same, written at the end of LINE: a trace of many lines is written into one text.
void AppendPlaceLine(std::u16string& line, std::u16string_view letters, char16_t letter,
                     std::int32_t amount, bool back, std::u16string_view amountName);

// The encryption of letters by a key, line by line, then their decryption, each line ended by
// CR LF, headed by the length and the key.
std::u16string CipherTrace(const Alphabet& alphabet, std::u16string_view letters, std::int32_t key);

}  // namespace cipher
