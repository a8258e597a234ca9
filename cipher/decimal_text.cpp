// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/decimal_text.h"

#include <array>
#include <charconv>

namespace cipher {

void AppendDecimal(std::u16string& text, std::int64_t n) {
    std::array<char, 24> digits{};
    auto* const end = std::to_chars(digits.data(), digits.data() + digits.size(), n).ptr;
    text.append(digits.data(), end);
}

std::u16string DecimalText(std::int64_t n) {
    std::u16string text;
    AppendDecimal(text, n);
    return text;
}

}  // namespace cipher
