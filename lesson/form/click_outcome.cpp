// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/form/click_outcome.h"

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

#include "cipher/cipher.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

ClickOutcome Click(std::int16_t index, cipher::FormFields& fields, cipher::CodeBuffer& codes) {
    ClickOutcome outcome;
    try {
        cipher::Command1_Click(index, fields, codes);
    } catch (const std::overflow_error&) {
        outcome.problemTitle = u"Твърде голямо отместване";
        outcome.problem = u"Отместването „" + fields.offset +
                          u"“ е твърде голямо.\n"
                          u"Въведете цяло число от -2147483648 до 2147483647; "
                          u"програмата го свежда до отместване от -25 до 25.";
        return outcome;
    } catch (const std::exception&) {
        outcome.problemTitle = u"Грешка";
        outcome.problem = u"Изчислението не можа да завърши.";
        return outcome;
    }
    if (index == 0 && !fields.result.empty()) {
        // Spelled, since a voice reads a run of cipher letters as one made-up word; the field
        // shows them as they are.
        outcome.announcement = u"Шифриран: ";
        outcome.announcement += SpelledLetters(fields.result);
    } else if (index == 0) {
        outcome.announcement = u"Шифрираният текст е празен. Отместване: " + fields.offset;
    } else if (index == 1) {
        outcome.announcement = u"Полетата Текст, Отместване и Шифриран са празни.";
    }
    return outcome;
}

}  // namespace lesson
