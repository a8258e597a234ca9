// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/look_alikes.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

namespace {

struct LookAlike {
    char16_t latin;
    char16_t cyrillic;
};

// Latin and Bulgarian letters that look the same in common fonts (Times New Roman, Arial,
// Liberation, DejaVu). Each pair is in the Unicode Consortium's table of confusable
// characters, confusables.txt of Unicode Technical Standard #39, "Unicode Security
// Mechanisms" (https://www.unicode.org/reports/tr39/); of its pairs, only those where both
// letters are an English and a Bulgarian one, and they are drawn alike in upright type, are
// kept: not Y and У, nor b and ь, which differ at a glance.
constexpr LookAlike kLookAlikes[] = {
    {u'A', u'А'}, {u'B', u'В'}, {u'C', u'С'}, {u'E', u'Е'}, {u'H', u'Н'}, {u'K', u'К'},
    {u'M', u'М'}, {u'O', u'О'}, {u'P', u'Р'}, {u'T', u'Т'}, {u'X', u'Х'}, {u'a', u'а'},
    {u'c', u'с'}, {u'e', u'е'}, {u'o', u'о'}, {u'p', u'р'}, {u'x', u'х'}, {u'y', u'у'},
};

}  // namespace

LookAlikeReading ReadLookAlikes(std::u16string_view answer, const cipher::Alphabet& alphabet) {
    const bool cyrillic = &alphabet == &cipher::CyrillicAlphabet();
    LookAlikeReading reading{std::u16string(answer), {}};
    std::u16string noted;
    for (char16_t& c : reading.text) {
        const auto* found = std::find_if(std::begin(kLookAlikes), std::end(kLookAlikes),
                                         [c, cyrillic](const LookAlike& pair) {
                                             return (cyrillic ? pair.latin : pair.cyrillic) == c;
                                         });
        if (found == std::end(kLookAlikes)) {
            continue;
        }
        const char16_t read = cyrillic ? found->cyrillic : found->latin;
        if (noted.find(c) == std::u16string::npos) {
            noted += c;
            reading.note += (reading.note.empty() ? u"„" : u" „") + std::u16string(1, c) +
                            (cyrillic ? u"“ (латинска) е прочетена като „"
                                      : u"“ (кирилска) е прочетена като „") +
                            read + u"“.";
        }
        c = read;
    }
    return reading;
}

}  // namespace lesson
