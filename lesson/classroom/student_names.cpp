// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/student_names.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace lesson {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Control and format characters (Unicode Cc and Cf), the tab apart: invisible, they would make
// two names that look alike differ, or turn the table's text around.
constexpr Range kHidden[] = {
    {0x0000, 0x0008},   {0x000A, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},
    {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},
    {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},
    {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F},
    {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE007F},
};

// Latin, Greek and Cyrillic letters, with their extended blocks.
constexpr Range kLetters[] = {
    {u'A', u'Z'},     {u'a', u'z'},     {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x024F},
    {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x037F, 0x037F}, {0x0386, 0x0386},
    {0x0388, 0x03F5}, {0x03F7, 0x0481}, {0x048A, 0x052F}, {0x1C80, 0x1C88}, {0x1E00, 0x1FBC},
    {0x1FC2, 0x1FCC}, {0x1FD0, 0x1FDB}, {0x1FE0, 0x1FEC}, {0x1FF2, 0x1FFC}, {0x2C60, 0x2C7F},
    {0xA640, 0xA66E}, {0xA680, 0xA69D}, {0xA722, 0xA787}, {0xA78B, 0xA7FF}, {0xAB30, 0xAB5A},
    {0xAB5C, 0xAB6F},
};

template <std::size_t N>
bool In(const Range (&ranges)[N], char32_t point) {
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [point](Range r) { return point >= r.first && point <= r.last; });
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// The code point at `at`, which moves past it; an unpaired surrogate is its own.
char32_t NextPoint(std::u16string_view text, std::size_t& at) {
    const char32_t unit = text[at++];
    if (unit >= 0xD800 && unit <= 0xDBFF && at < text.size() && text[at] >= 0xDC00 &&
        text[at] <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10U) + (text[at++] - 0xDC00U);
    }
    return unit;
}

// "(U+202E)": the character named, never shown, as it may show as nothing or turn the line.
std::u16string CodeOf(char32_t point) {
    std::u16string hex;
    for (; point != 0 || hex.size() < 4; point >>= 4U) {
        hex.insert(hex.begin(), u"0123456789ABCDEF"[point & 0xFU]);
    }
    return u"(U+" + hex + u")";
}

char16_t Lower(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) ||
        (c >= 0x0410 && c <= 0x042F)) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c >= 0x0400 && c <= 0x040F ? static_cast<char16_t>(c + 0x50) : c;
}

}  // namespace

std::u16string TidiedName(std::u16string_view typed) {
    std::u16string tidied;
    bool blank = false;
    for (const char16_t c : typed) {
        if (IsBlank(c)) {
            blank = !tidied.empty();
            continue;
        }
        if (blank) {
            tidied += u' ';
            blank = false;
        }
        tidied += c;
    }
    return tidied;
}

std::u16string NameFault(std::u16string_view field, std::u16string_view text, bool needsLetter) {
    bool letter = !needsLetter;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t point = NextPoint(text, at);
        if (point >= 0xD800 && point <= 0xDFFF) {
            return std::u16string(field) + u" съдържа повреден знак " + CodeOf(point) +
                   u": напишете го наново.";
        }
        if (In(kHidden, point)) {
            return std::u16string(field) + u" съдържа невидим знак " + CodeOf(point) +
                   u", който не е позволен: напишете го наново, без да поставяте копиран текст.";
        }
        letter = letter || In(kLetters, point);
    }
    return letter ? u""
                  : std::u16string(field) +
                        u" трябва да съдържа поне една буква на латиница, кирилица или гръцки.";
}

std::u16string ClassKey(std::u16string_view className) {
    std::u16string key;
    for (const char16_t c : className) {
        if (!IsBlank(c)) {
            key += Lower(c);
        }
    }
    return key;
}

}  // namespace lesson
