// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/assignment.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/text/language.h"

namespace lesson {

namespace {

constexpr std::size_t kDigits = 10;
// The first digit is the language's, from 1, plus this many for each hundred of the kinds'
// bits, which outgrew their two digits when the substitution came: codes given out before it
// read as they did.
constexpr std::int32_t kCodeLanguages = 2;
static_assert(kLanguageCount <= kCodeLanguages,
              "another language needs another layout of the code's first digit");
// Each field has its own width in the code: one that outgrows it needs a longer code, and a
// reader that knows it.
static_assert(kCodeLanguages * (((1U << std::size(kExerciseKinds)) - 1) / 100 + 1) <= 9,
              "the language and the kinds' hundreds fill a digit");
static_assert(kMostPerSheet <= 99, "the exercises on a sheet fill two digits");
static_assert(kLastExercise <= 9999, "the first exercise fills four digits");

// Luhn's sum over the digits, the last of them the check digit: every second digit from the
// right doubled, its digits added.
std::int32_t LuhnSum(std::u16string_view digits) {
    std::int32_t sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        std::int32_t digit = digits[digits.size() - 1 - i] - u'0';
        if (i % 2 == 1) {
            digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
        }
        sum += digit;
    }
    return sum;
}

std::int32_t NumberAt(std::u16string_view digits, std::size_t from, std::size_t count) {
    return static_cast<std::int32_t>(DigitsValue(digits.substr(from, count)));
}

std::u16string DigitsOf(std::u16string_view text) {
    std::u16string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char16_t c) { return c >= u'0' && c <= u'9'; });
    return digits;
}

}  // namespace

std::u16string AssignmentCode(const SheetSettings& settings) {
    const std::span<const Language> languages = Languages();
    const auto language = static_cast<std::int64_t>(settings.language - languages.data()) + 1;
    const auto hundreds = static_cast<std::int64_t>(settings.kinds / 100);
    std::u16string digits = Decimal(language + kCodeLanguages * hundreds) +
                            Padded(settings.kinds % 100, 2) + Padded(settings.perSheet, 2) +
                            Padded(settings.first, 4);
    digits += static_cast<char16_t>(u'0' + (10 - LuhnSum(digits + u'0') % 10) % 10);
    return digits.substr(0, 3) + u'-' + digits.substr(3, 3) + u'-' + digits.substr(6);
}

std::u16string AssignmentCode(const TeacherSheet& sheet) {
    return sheet.message.empty() ? AssignmentCode(sheet.settings) : u"";
}

CodeReading ReadAssignmentCode(std::u16string_view typed) {
    std::u16string digits;
    for (const char16_t c : typed) {
        if (c == u' ' || c == u'-' || c == u'\t') {
            continue;
        }
        if (c < u'0' || c > u'9') {
            return {std::nullopt, u"Кодът на заданието е само от цифри, а „" +
                                      std::u16string(1, c) + u"“ не е цифра."};
        }
        digits += c;
    }
    if (digits.empty()) {
        return {std::nullopt, u"Въведете кода на заданието от дъската."};
    }
    if (digits.size() != kDigits) {
        return {std::nullopt,
                u"Кодът на заданието има 10 цифри, а тук са " + Decimal(digits.size()) + u"."};
    }
    if (LuhnSum(digits) % 10 != 0) {
        return {std::nullopt,
                u"Кодът на заданието не е верен: някоя цифра е сбъркана. Сверете го с дъската."};
    }
    const std::span<const Language> languages = Languages();
    const std::int32_t first = NumberAt(digits, 0, 1);
    const std::int32_t language = first == 0 ? 0 : (first - 1) % kCodeLanguages + 1;
    SheetSettings settings{
        nullptr,
        static_cast<std::uint32_t>(NumberAt(digits, 1, 2) + 100 * ((first - 1) / kCodeLanguages)),
        NumberAt(digits, 3, 2), NumberAt(digits, 5, 4)};
    const bool known = language >= 1 && static_cast<std::size_t>(language) <= languages.size() &&
                       settings.kinds != 0 && settings.kinds < (1U << std::size(kExerciseKinds)) &&
                       settings.perSheet >= 1 && settings.perSheet <= kMostPerSheet &&
                       settings.first >= kFirstExercise;
    if (!known) {
        return {std::nullopt,
                u"Кодът на заданието е за по-нова версия на програмата: тази не "
                u"познава всичко, което той назовава."};
    }
    settings.language = &languages[static_cast<std::size_t>(language) - 1];
    return {settings, {}};
}

bool IsNewLinkedCode(std::u16string_view linked, std::u16string_view typed) {
    if (linked.empty() || linked.find_first_not_of(u"0123456789 -") != std::u16string::npos) {
        return false;
    }
    return DigitsOf(linked) != DigitsOf(typed);
}

std::u16string VariantNote() { return WholeNumberNote(u"Вариантът", kMostVariants); }

}  // namespace lesson
