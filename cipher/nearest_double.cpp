// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/nearest_double.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace cipher {

namespace {

// More significant digits than this never change the rounding: a value halfway between two
// doubles has at most 767 of them. The rest count only as being zero or not.
constexpr std::size_t kSignificantDigits = 800;
// The decimal exponents of the leading digit beyond which the value is surely infinite or 0.
constexpr std::int64_t kOverflowMagnitude = 309;
constexpr std::int64_t kUnderflowMagnitude = -326;
constexpr int kMantissaBits = std::numeric_limits<double>::digits;                          // 53
constexpr int kLowestExponent = std::numeric_limits<double>::min_exponent - kMantissaBits;  // -1074

// An unsigned whole number of any size, in 32-bit limbs, least significant first.
class Natural {
public:
    explicit Natural(std::uint32_t value) {
        if (value != 0) {
            limbs_.push_back(value);
        }
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += static_cast<std::uint64_t>(limb) * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    void MultiplyByPowerOfTen(std::int64_t power) {
        for (; power >= 9; power -= 9) {
            MultiplyAdd(1'000'000'000, 0);
        }
        for (; power > 0; --power) {
            MultiplyAdd(10, 0);
        }
    }

    Natural Shifted(std::int64_t bits) const {
        Natural result(0);
        const auto whole = static_cast<std::size_t>(bits / 32);
        const auto part = static_cast<unsigned>(bits % 32);
        result.limbs_.assign(whole, 0);
        std::uint32_t carry = 0;
        for (const std::uint32_t limb : limbs_) {
            result.limbs_.push_back(part == 0 ? limb : (limb << part) | carry);
            carry = part == 0 ? 0 : limb >> (32 - part);
        }
        if (carry != 0) {
            result.limbs_.push_back(carry);
        }
        return result;
    }

    // How many bits the number has; it is not 0.
    std::int64_t BitLength() const {
        std::int64_t length = 32 * static_cast<std::int64_t>(limbs_.size() - 1);
        for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) {
            ++length;
        }
        return length;
    }

    // -1, 0 or 1 as this is less than, equal to or greater than other.
    int Compare(const Natural& other) const {
        if (limbs_.size() != other.limbs_.size()) {
            return limbs_.size() < other.limbs_.size() ? -1 : 1;
        }
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            if (limbs_[i] != other.limbs_[i]) {
                return limbs_[i] < other.limbs_[i] ? -1 : 1;
            }
        }
        return 0;
    }

    // Takes other away; other is at most this.
    void Subtract(const Natural& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - borrow -
                                      (i < other.limbs_.size() ? other.limbs_[i] : 0);
            borrow = difference < 0 ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

private:
    std::vector<std::uint32_t> limbs_;
};

}  // namespace

double NearestDouble(std::string_view digits, std::int64_t exponent) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return 0.0;
    }
    const std::int64_t magnitude = static_cast<std::int64_t>(digits.size()) - 1 + exponent;
    if (magnitude > kOverflowMagnitude) {
        return std::numeric_limits<double>::infinity();
    }
    if (magnitude < kUnderflowMagnitude) {
        return 0.0;
    }

    // The value as the fraction numerator / denominator, the digits past the significant ones
    // standing in as one more digit 1 when any of them is not 0.
    Natural numerator(0);
    const std::string_view kept = digits.substr(0, kSignificantDigits);
    for (const char digit : kept) {
        numerator.MultiplyAdd(10, static_cast<std::uint32_t>(digit - '0'));
    }
    exponent += static_cast<std::int64_t>(digits.size() - kept.size());
    if (digits.find_first_not_of('0', kept.size()) != std::string_view::npos) {
        numerator.MultiplyAdd(10, 1);
        --exponent;
    }
    Natural denominator(1);
    if (exponent >= 0) {
        numerator.MultiplyByPowerOfTen(exponent);
    } else {
        denominator.MultiplyByPowerOfTen(-exponent);
    }

    // The binary exponent of the leading bit, then the step of the doubles there.
    std::int64_t leadingBit = numerator.BitLength() - denominator.BitLength();
    if (numerator.Shifted(std::max<std::int64_t>(0, -leadingBit))
            .Compare(denominator.Shifted(std::max<std::int64_t>(0, leadingBit))) < 0) {
        --leadingBit;
    }
    const std::int64_t step =
        std::max<std::int64_t>(leadingBit - (kMantissaBits - 1), kLowestExponent);
    Natural remainder = numerator.Shifted(std::max<std::int64_t>(0, -step));
    const Natural divisor = denominator.Shifted(std::max<std::int64_t>(0, step));

    // The quotient has at most 53 bits: long division, one bit at a time.
    std::uint64_t quotient = 0;
    for (int bit = kMantissaBits - 1; bit >= 0; --bit) {
        const Natural part = divisor.Shifted(bit);
        if (remainder.Compare(part) >= 0) {
            remainder.Subtract(part);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    const int half = remainder.Shifted(1).Compare(divisor);
    if (half > 0 || (half == 0 && (quotient & 1) != 0)) {
        ++quotient;
    }
    // Exact: the quotient has at most 54 bits, the last only when it is 2^53; past the largest
    // double it becomes infinity.
    return std::ldexp(static_cast<double>(quotient), static_cast<int>(step));
}

}  // namespace cipher
