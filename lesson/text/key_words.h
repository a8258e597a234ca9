// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace lesson {

// Key words for the Vigenère exercises, each letter of one giving the Caesar shift for its
// place in the text. Common English words of 3 to 8 capitals A-Z, in a fixed order that never
// changes once released (an exercise's number picks its key word by its place here).
std::span<const std::string_view> EnglishKeyWords();

// The same for the Bulgarian exercises: common words of 3 to 8 of the 30 capitals of the
// Bulgarian alphabet, in a fixed order that never changes once released.
std::span<const std::u16string_view> BulgarianKeyWords();

// How many of the first words exercise numbers draw from, frozen once released: the words
// added after them must not change any number's key word.
inline constexpr std::size_t kEnglishKeyWordsDrawn = 228;
inline constexpr std::size_t kBulgarianKeyWordsDrawn = 230;

}  // namespace lesson
