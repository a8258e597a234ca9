// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lesson {

// A run of letters that are not words, as a screen reader should say them: one by one,
// "К, З, У, гъ", with Г and Й by their names. A long run is cut after its first letters, with
// how many were left out.
std::u16string SpelledLetters(std::u16string_view letters);

// A count of letters in words: "1 буква", "12 букви".
std::u16string CountOfLetters(std::size_t count);

}  // namespace lesson
