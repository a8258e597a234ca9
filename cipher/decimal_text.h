// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace cipher {

// Appends n in plain decimal: no blanks, no leading zeros, a leading '-' when negative.
void AppendDecimal(std::u16string& text, std::int64_t n);

// n in plain decimal, as AppendDecimal writes it.
std::u16string DecimalText(std::int64_t n);

}  // namespace cipher
