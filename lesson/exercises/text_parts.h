// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <numeric>
#include <string>
#include <string_view>

#include "cipher/decimal_text.h"

namespace lesson {

// A whole number, or a count, in plain decimal.
template <std::integral Number>
std::u16string Decimal(Number number) {
    return cipher::DecimalText(static_cast<std::int64_t>(number));
}

// A whole number of at least WIDTH digits, zeros before them: "0042".
inline std::u16string Padded(std::int64_t number, std::size_t width) {
    const std::u16string digits = Decimal(number);
    return std::u16string(width > digits.size() ? width - digits.size() : 0, u'0') + digits;
}

// The number that decimal digits make, all of them digits.
inline std::int64_t DigitsValue(std::u16string_view digits) {
    return std::accumulate(
        digits.begin(), digits.end(), std::int64_t{0},
        [](std::int64_t number, char16_t digit) { return number * 10 + (digit - u'0'); });
}

// The parts one after another, built in one string: a chain of + makes one for each, and on
// u16string trips a false -Wrestrict in GCC 12 at -O3.
inline std::u16string Joined(std::initializer_list<std::u16string_view> parts) {
    std::u16string text;
    for (const std::u16string_view part : parts) {
        text += part;
    }
    return text;
}

}  // namespace lesson
