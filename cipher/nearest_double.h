// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace cipher {

// The double nearest to the decimal number digits × 10^exponent, a tie going to the even one,
// as strtod rounds in the C locale: past the largest double it is infinity, below half the
// smallest it is 0. digits holds only '0' to '9' and may be empty. Exact big-number
// arithmetic, so that the result depends on neither the standard library nor the locale.
double NearestDouble(std::string_view digits, std::int64_t exponent);

}  // namespace cipher
