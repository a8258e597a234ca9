// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "cipher/rounding.h"

namespace cipher {

namespace {

constexpr std::int64_t kExponentCap = 1'000'000'000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsIgnoredSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Hands out the characters of a text with blanks, tabs and line feeds skipped.
class PackedText {
public:
    explicit PackedText(std::u16string_view text) : text_(text) { SkipSpaces(); }

    char16_t Peek() const { return position_ < text_.size() ? text_[position_] : u'\0'; }

    void Next() {
        ++position_;
        SkipSpaces();
    }

private:
    void SkipSpaces() {
        while (position_ < text_.size() && IsIgnoredSpace(text_[position_])) {
            ++position_;
        }
    }

    std::u16string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

double LeadingNumber(std::u16string_view text) {
    PackedText in(text);
    bool negative = false;
    if (in.Peek() == u'+' || in.Peek() == u'-') {
        negative = in.Peek() == u'-';
        in.Next();
    }

    // The number goes to from_chars as ASCII, without its sign, which from_chars does not take.
    std::string number;
    bool seenPoint = false;
    std::int64_t digitsBeforePoint = 0;
    std::int64_t digitCount = 0;
    std::int64_t firstNonZeroDigit = -1;
    for (char16_t c = in.Peek(); IsDigit(c) || (c == u'.' && !seenPoint); c = in.Peek()) {
        if (c == u'.') {
            seenPoint = true;
        } else {
            if (c != u'0' && firstNonZeroDigit < 0) {
                firstNonZeroDigit = digitCount;
            }
            ++digitCount;
            if (!seenPoint) {
                ++digitsBeforePoint;
            }
        }
        number.push_back(static_cast<char>(c));
        in.Next();
    }
    if (digitCount == 0) {
        return 0.0;
    }

    // An exponent counts only with at least one digit: '1e' and '1e+' are just 1.
    std::int64_t exponent = 0;
    if (in.Peek() == u'E' || in.Peek() == u'e') {
        std::string exponentText = "e";
        in.Next();
        bool negativeExponent = false;
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            negativeExponent = in.Peek() == u'-';
            exponentText.push_back(negativeExponent ? '-' : '+');
            in.Next();
        }
        bool hasExponentDigits = false;
        for (char16_t c = in.Peek(); IsDigit(c); c = in.Peek()) {
            hasExponentDigits = true;
            exponent = std::min<std::int64_t>(exponent * 10 + (c - u'0'), kExponentCap);
            exponentText.push_back(static_cast<char>(c));
            in.Next();
        }
        if (hasExponentDigits) {
            number += exponentText;
            exponent = negativeExponent ? -exponent : exponent;
        } else {
            exponent = 0;
        }
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars reports overflow and underflow alike; the decimal exponent of the
        // leading significant digit tells which one this is.
        const std::int64_t magnitude = digitsBeforePoint - 1 - firstNonZeroDigit + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t ReadOffset(std::u16string_view text) {
    const double n = RoundHalfToEven(LeadingNumber(text));
    if (!(n >= std::numeric_limits<std::int32_t>::min() &&
          n <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("offset outside the signed 32-bit range");
    }
    // C++ division truncates, so the remainder keeps the sign of n and is never brought
    // back into 0..25.
    return static_cast<std::int32_t>(n) % 26;
}

}  // namespace cipher
