// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lesson {

// SplitMix64's step: the number moved on by its increment, then its bits mixed, in integer
// arithmetic alone, so that every machine and browser draws the same from the same number.
// Drawn from 0, Mixed(0), Mixed(kMixedIncrement), Mixed(2 * kMixedIncrement), … is SplitMix64's
// own sequence.
inline constexpr std::uint64_t kMixedIncrement = 0x9e3779b97f4a7c15U;

constexpr std::uint64_t Mixed(std::uint64_t x) {
    x += kMixedIncrement;
    x = (x ^ (x >> 30U)) * 0xbf58476d1ce4e5b9U;
    x = (x ^ (x >> 27U)) * 0x94d049bb133111ebU;
    return x ^ (x >> 31U);
}

}  // namespace lesson
