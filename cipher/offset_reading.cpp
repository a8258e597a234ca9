// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "cipher/nearest_double.h"
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

    // The digits alone, the point only shifting the exponent.
    std::string digits;
    bool seenPoint = false;
    std::int64_t digitsAfterPoint = 0;
    for (char16_t c = in.Peek(); IsDigit(c) || (c == u'.' && !seenPoint); c = in.Peek()) {
        if (c == u'.') {
            seenPoint = true;
        } else {
            digits.push_back(static_cast<char>(c));
            digitsAfterPoint += seenPoint ? 1 : 0;
        }
        in.Next();
    }
    if (digits.empty()) {
        return 0.0;
    }

    // An exponent counts only with at least one digit: '1e' and '1e+' are just 1.
    std::int64_t exponent = 0;
    if (in.Peek() == u'E' || in.Peek() == u'e') {
        in.Next();
        bool negativeExponent = false;
        if (in.Peek() == u'+' || in.Peek() == u'-') {
            negativeExponent = in.Peek() == u'-';
            in.Next();
        }
        for (char16_t c = in.Peek(); IsDigit(c); c = in.Peek()) {
            exponent = std::min<std::int64_t>(exponent * 10 + (c - u'0'), kExponentCap);
            in.Next();
        }
        exponent = negativeExponent ? -exponent : exponent;
    }

    const double value = NearestDouble(digits, exponent - digitsAfterPoint);
    return negative ? -value : value;
}

std::int32_t ReadOffset(std::u16string_view text) {
    const double n = RoundHalfToEven(LeadingNumber(text));
    // Written as "not inside" so that a NaN, should one ever arrive, is refused too.
    // NOLINTNEXTLINE(readability-simplify-boolean-expr)
    if (!(n >= std::numeric_limits<std::int32_t>::min() &&
          n <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("offset outside the signed 32-bit range");
    }
    // C++ division truncates, so the remainder keeps the sign of n and is never brought
    // back into 0..25.
    return static_cast<std::int32_t>(n) % 26;
}

}  // namespace cipher
