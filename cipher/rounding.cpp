// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/rounding.h"

#include <cmath>

namespace cipher {

double RoundHalfToEven(double v) {
    // Written out rather than left to std::nearbyint, which follows whatever rounding mode
    // the process happens to be in.
    const double below = std::floor(v);
    if (below == v) {
        return v;
    }
    // Exact: v and its floor are within 1 of each other and share the exponent range.
    const double fraction = v - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace cipher
