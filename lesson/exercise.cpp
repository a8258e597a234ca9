// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercise.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cipher/decimal_text.h"
#include "cipher/latin_capitals.h"
#include "cipher/trace_log.h"
#include "lesson/english_phrases.h"

namespace lesson {

namespace {

// Sentences are joined until a text to break has this many letters; each has at most 48, so
// the text stays within 150.
constexpr std::size_t kFewestLettersToBreak = 60;

// SplitMix64's finaliser: integer arithmetic alone, so every machine and browser draws the
// same exercise from the same number.
std::uint64_t Mixed(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15U;
    x = (x ^ (x >> 30U)) * 0xbf58476d1ce4e5b9U;
    x = (x ^ (x >> 27U)) * 0x94d049bb133111ebU;
    return x ^ (x >> 31U);
}

}  // namespace

std::optional<Exercise> MakeExercise(ExerciseKind kind, std::int32_t number) {
    if (number < kFirstExercise || number > kLastExercise) {
        return std::nullopt;
    }
    const std::uint64_t draw =
        Mixed((std::uint64_t{static_cast<std::uint8_t>(kind)} << 32U) | std::uint64_t(number));
    const std::span<const std::string_view> phrases = EnglishPhrases();
    Exercise exercise;
    exercise.kind = kind;
    exercise.number = number;
    exercise.key = static_cast<std::int32_t>(1 + Mixed(draw) % 25);
    std::size_t next = draw % phrases.size();
    do {
        if (!exercise.plain.empty()) {
            exercise.plain += u' ';
        }
        exercise.plain.append(phrases[next].begin(), phrases[next].end());
        next = (next + 1) % phrases.size();
        exercise.plainLetters = cipher::LatinCapitals(exercise.plain);
    } while (kind == ExerciseKind::kFindKey &&
             exercise.plainLetters.size() < kFewestLettersToBreak);
    for (const char16_t letter : exercise.plainLetters) {
        exercise.cipherLetters += static_cast<char16_t>(cipher::ShiftedCode(letter, exercise.key));
    }
    return exercise;
}

std::optional<std::int32_t> NumberFrom(std::u16string_view typed, std::int32_t lowest,
                                       std::int32_t highest) {
    const std::size_t first = typed.find_first_not_of(u" \t");
    const std::size_t last = typed.find_last_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return std::nullopt;
    }
    std::int32_t number = 0;
    for (const char16_t c : typed.substr(first, last - first + 1)) {
        if (c < u'0' || c > u'9' || number > highest) {
            return std::nullopt;
        }
        number = number * 10 + (c - u'0');
    }
    if (number < lowest || number > highest) {
        return std::nullopt;
    }
    return number;
}

std::u16string WholeNumberNote(std::u16string_view what, std::int32_t highest) {
    return std::u16string(what) + u" е цяло число от 1 до " + cipher::DecimalText(highest) + u".";
}

std::u16string TaskText(const Exercise& exercise) {
    const std::u16string key = cipher::DecimalText(exercise.key);
    switch (exercise.kind) {
        case ExerciseKind::kEncrypt:
            return u"Шифрирайте с ключ " + key + u": " + exercise.plain;
        case ExerciseKind::kDecrypt:
            return u"Дешифрирайте с ключ " + key + u": " + exercise.cipherLetters;
        case ExerciseKind::kFindKey:
            break;
    }
    return u"Намерете ключа и дешифрирайте: " + exercise.cipherLetters;
}

std::u16string AnswerText(const Exercise& exercise) {
    switch (exercise.kind) {
        case ExerciseKind::kEncrypt:
            return exercise.cipherLetters;
        case ExerciseKind::kDecrypt:
            return exercise.plainLetters + u" (" + exercise.plain + u")";
        case ExerciseKind::kFindKey:
            break;
    }
    return u"Ключ " + cipher::DecimalText(exercise.key) + u": " + exercise.plainLetters + u" (" +
           exercise.plain + u")";
}

}  // namespace lesson
