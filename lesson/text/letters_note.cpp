// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/letters_note.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/text/language.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

std::u16string NoLettersNote(const cipher::Alphabet& alphabet, std::u16string_view where) {
    return u"Няма " + std::u16string(LanguageOf(alphabet).lettersName) + u" " +
           std::u16string(where);
}

std::u16string BreakingNote(const cipher::Alphabet& alphabet, std::size_t letters, std::size_t few,
                            std::u16string_view advice) {
    if (letters == 0) {
        return NoLettersNote(alphabet, u"в текста: няма какво да се разбие.");
    }
    if (letters >= few) {
        return {};
    }
    return u"Текстът има само " + CountOfLetters(letters) + u". " + std::u16string(advice);
}

}  // namespace lesson
