// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lesson {

// The number rounded to the given decimals, written with a decimal comma, as Bulgarian writes
// it: 12,34.
std::u16string WithDecimalComma(double value, int decimals);

}  // namespace lesson
