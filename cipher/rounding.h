// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace cipher {

// v rounded to the nearest whole number, a value exactly halfway going to the even one
// (2.5 gives 2, 3.5 gives 4, -2.5 gives -2). Infinities come back unchanged.
double RoundHalfToEven(double v);

}  // namespace cipher
