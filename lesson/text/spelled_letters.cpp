// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/spelled_letters.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/decimal_text.h"

namespace lesson {

namespace {

// About ten seconds of speech; the rest is on the screen.
constexpr std::size_t kMostSpelled = 30;

// A letter as a voice should say it alone. espeak-ng's Bulgarian voice, Orca's, says a lone Г
// as "к" and a lone Й as "и", so those two go by their names.
std::u16string Spoken(char16_t letter) {
    switch (letter) {
        case u'Г':
        case u'г':
            return u"гъ";
        case u'Й':
        case u'й':
            return u"и кратко";
        default:
            return std::u16string(1, letter);
    }
}

}  // namespace

std::u16string SpelledLetters(std::u16string_view letters) {
    std::u16string spelled;
    for (std::size_t i = 0; i < letters.size() && i < kMostSpelled; ++i) {
        if (i > 0) {
            spelled += u", ";
        }
        spelled += Spoken(letters[i]);
    }
    if (letters.size() > kMostSpelled) {
        spelled += u" и още ";
        spelled += CountOfLetters(letters.size() - kMostSpelled);
    }
    return spelled;
}

std::u16string CountOfLetters(std::size_t count) {
    return cipher::DecimalText(static_cast<std::int64_t>(count)) +
           (count == 1 ? u" буква" : u" букви");
}

}  // namespace lesson
