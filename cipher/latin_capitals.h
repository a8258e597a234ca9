// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace cipher {

// The simple (one-to-one) Unicode capital of the character where that is one of A-Z; any other
// character as it is.
char16_t LatinCapitalOf(char16_t c);

// The characters of the text whose simple (one-to-one) Unicode capital is one of A-Z, turned
// into that capital and kept in their order; every other character is dropped.
std::u16string LatinCapitals(std::u16string_view text);

}  // namespace cipher
