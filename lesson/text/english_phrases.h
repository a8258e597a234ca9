// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace lesson {

// Short English sentences for the exercises: sayings, facts and short instructions, each with
// 14 to 48 letters A-Z, in plain ASCII (half the room of UTF-16 in the page), in a fixed order that
// never changes once released (an exercise's number picks its sentences by their place here).
std::span<const std::string_view> EnglishPhrases();

// How many of them exercise numbers draw from, frozen when the exercises were first given
// out: the sentences added after them must not change any number's exercise.
inline constexpr std::size_t kEnglishPhrasesDrawn = 357;

}  // namespace lesson
