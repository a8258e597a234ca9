// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/latin_capitals.h"

#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace cipher {

// Besides a-z, only dotless i and long s have a simple uppercase mapping into A-Z. Every other
// cased letter maps outside A-Z and would be dropped anyway, and characters with only a
// multi-character capital (such as the sharp s) stay as they are, so this is the whole table
// that can matter here. No locale takes part: the Turkish dotted/dotless rules do not apply.
char16_t LatinCapitalOf(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - u'a' + u'A');
    }
    switch (c) {
        case u'\u0131':
            return u'I';
        case u'\u017F':
            return u'S';
        default:
            return c;
    }
}

std::u16string LatinCapitals(std::u16string_view text) { return LatinAlphabet().Reduce(text); }

}  // namespace cipher
