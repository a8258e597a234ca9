// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/decimal_comma.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cipher/decimal_text.h"

namespace lesson {

std::u16string WithDecimalComma(double value, int decimals) {
    double scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const auto scaled = static_cast<std::int64_t>(std::llround(value * scale));
    std::u16string digits = cipher::DecimalText(scaled);
    const auto width = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), u'0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, u',');
    return digits;
}

}  // namespace lesson
