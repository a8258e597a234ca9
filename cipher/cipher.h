// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cipher {

// The texts of the window's four fields; the logic reads and writes nothing else
// apart from the code buffer.
struct FormFields {
    std::u16string phrase;  // Text2(0)
    std::u16string offset;  // Text2(1)
    std::u16string result;  // Text2(2)
    std::u16string log;     // Text1(0)
};

// Slot i holds the shifted code of the i-th letter of the last phrase; slot 0 is never used.
using CodeBuffer = std::array<std::uint8_t, 301>;

// Index 0 runs Calculate, index 1 runs ClearFields, any other index does nothing.
void Command1_Click(std::int16_t index, FormFields& fields, CodeBuffer& codes);

// Reduces the phrase to its capital Latin letters A-Z, then runs the cipher.
// Throws std::overflow_error when the offset does not fit 32 bits (see ReadOffset), and
// std::length_error when the phrase keeps more than 300 letters (see RunCipher).
void Calculate(FormFields& fields, CodeBuffer& codes);

// Empties the phrase, offset and result; the log and the code buffer keep their contents.
void ClearFields(FormFields& fields);

// Empties the result, normalises the offset field and, for a non-empty phrase and an offset
// of at least 1, writes the shifted phrase to the result and the encode and decode trace to
// the log. The phrase must hold only A-Z: std::invalid_argument otherwise, and
// std::length_error for more than 300 letters, both thrown before the log or any slot is
// written. Throws std::overflow_error from ReadOffset with only the result emptied.
void RunCipher(FormFields& fields, CodeBuffer& codes);

// The leading number of the text rounded half to even, then reduced by truncating
// division to a remainder from -25 to 25 with the sign of the number. Throws
// std::overflow_error when the rounded number does not fit a signed 32-bit integer.
std::int32_t ReadOffset(std::u16string_view text);
// The same number before its reduction, for a key taken modulo another alphabet's size.
std::int32_t ReadWholeNumber(std::u16string_view text);

// Whether reading a number skips the character: a blank, a tab or a line feed.
bool IsIgnoredSpace(char16_t c);

// The decimal number at the start of the text once blanks, tabs and line feeds are removed:
// optional sign, digits with at most one '.', optional exponent (E or e, optional sign,
// digits). 0 when the text does not begin with a number; infinity beyond the double range.
double LeadingNumber(std::u16string_view text);

}  // namespace cipher
