// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace lesson {

// Short Bulgarian sentences for the exercises in the Bulgarian alphabet: sayings, facts and
// short instructions, each with 12 to 50 of its 30 letters, in a fixed order that never
// changes once released (an exercise's number picks its sentences by their place here).
std::span<const std::u16string_view> BulgarianPhrases();

// How many of them exercise numbers draw from, frozen when the exercises were first given
// out: the sentences added after them must not change any number's exercise.
inline constexpr std::size_t kBulgarianPhrasesDrawn = 385;

}  // namespace lesson
