// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include <fast_float/fast_float.h>

#include "cipher/cipher.h"
#include "cipher/rounding.h"

namespace cipher {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

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

bool IsIgnoredSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

double LeadingNumber(std::u16string_view text) {
    PackedText in(text);
    bool negative = false;
    if (in.Peek() == u'+' || in.Peek() == u'-') {
        negative = in.Peek() == u'-';
        in.Next();
    }

    // The number's own characters, blanks left out, for the correctly rounded conversion.
    std::string number;
    bool seenDigit = false;
    bool seenPoint = false;
    for (char16_t c = in.Peek(); IsDigit(c) || (c == u'.' && !seenPoint); c = in.Peek()) {
        seenPoint = seenPoint || c == u'.';
        seenDigit = seenDigit || c != u'.';
        number.push_back(static_cast<char>(c));
        in.Next();
    }
    if (!seenDigit) {
        return 0.0;
    }

    // An exponent counts only with at least one digit: '1e' and '1e+' are just 1.
    if (in.Peek() == u'E' || in.Peek() == u'e') {
        std::string exponent = "e";
        in.Next();
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            exponent.push_back(static_cast<char>(in.Peek()));
            in.Next();
        }
        const std::size_t signLength = exponent.size();
        for (char16_t c = in.Peek(); IsDigit(c); c = in.Peek()) {
            exponent.push_back(static_cast<char>(c));
            in.Next();
        }
        if (exponent.size() > signLength) {
            number += exponent;
        }
    }

    // fast_float rounds to the nearest double, a tie to the even one, as strtod does in the C
    // locale, but with no locale and the same in every build: past the largest double it
    // gives infinity, below half the smallest 0.
    double value = 0.0;
    fast_float::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

std::int32_t ReadWholeNumber(std::u16string_view text) {
    const double n = RoundHalfToEven(LeadingNumber(text));
    // Written as "not inside" so that a NaN, should one ever arrive, is refused too.
    // NOLINTNEXTLINE(readability-simplify-boolean-expr)
    if (!(n >= std::numeric_limits<std::int32_t>::min() &&
          n <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("offset outside the signed 32-bit range");
    }
    return static_cast<std::int32_t>(n);
}

std::int32_t ReadOffset(std::u16string_view text) {
    // C++ division truncates, so the remainder keeps the sign of n and is never brought
    // back into 0..25.
    return ReadWholeNumber(text) % 26;
}

}  // namespace cipher
