// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/latin_capitals.h"

namespace cipher {

namespace {

// Besides a-z, only dotless i and long s have a simple uppercase mapping into A-Z. Every other
// cased letter maps outside A-Z and would be dropped anyway, and characters with only a
// multi-character capital (such as the sharp s) stay as they are, so this is the whole table
// that can matter here. No locale takes part: the Turkish dotted/dotless rules do not apply.
char16_t CapitalOf(char16_t c) {
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

}  // namespace

std::u16string LatinCapitals(std::u16string_view text) {
    std::u16string capitals;
    capitals.reserve(text.size());
    for (const char16_t c : text) {
        const char16_t capital = CapitalOf(c);
        if (capital >= u'A' && capital <= u'Z') {
            capitals.push_back(capital);
        }
    }
    return capitals;
}

}  // namespace cipher
