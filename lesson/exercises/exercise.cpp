// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/exercise.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/text/language.h"
#include "lesson/text/mixed_bits.h"

namespace lesson {

namespace {

// Sentences are joined until a text to break has this many letters; each has at most 50, so
// the text stays within 150. A substitution to solve needs twice as many, to have most letters
// of the language in it, and stays within 170.
constexpr std::size_t kFewestLettersToBreak = 60;
constexpr std::size_t kFewestLettersToSolve = 120;
// The words the window's arithmetic is done on: long enough to wrap now and then, short enough
// to work through by hand.
constexpr std::size_t kShortestWord = 3;
constexpr std::size_t kLongestWord = 6;

// A word of 3 to 6 letters, in capitals, from the sentences from the given one on: the
// choice'th of those in the first sentence that has any.
std::u16string ShortWord(const Sentences& sentences, const cipher::Alphabet& alphabet,
                         std::size_t sentence, std::uint64_t choice) {
    for (;; sentence = (sentence + 1) % sentences.drawn) {
        std::vector<std::u16string> words;
        const std::u16string text = sentences.At(sentence);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find(u' ', start);
            end = end == std::u16string::npos ? text.size() : end;
            std::u16string word = alphabet.Reduce(text.substr(start, end - start));
            if (word.size() >= kShortestWord && word.size() <= kLongestWord) {
                words.push_back(std::move(word));
            }
            start = end + 1;
        }
        if (!words.empty()) {
            return words[choice % words.size()];
        }
    }
}

}  // namespace

bool HasKeyWord(ExerciseKind kind) {
    return kind == ExerciseKind::kEncryptKeyWord || kind == ExerciseKind::kDecryptKeyWord;
}

bool Substitutes(ExerciseKind kind) {
    return kind == ExerciseKind::kEncryptSubstitution || kind == ExerciseKind::kSolveSubstitution;
}

bool Encrypts(ExerciseKind kind) {
    return kind == ExerciseKind::kEncrypt || kind == ExerciseKind::kEncryptKeyWord ||
           kind == ExerciseKind::kEncryptSubstitution;
}

const KindName& NameOf(ExerciseKind kind) {
    // Every kind has its row: the search stops before the last, which is then the one.
    return *std::find_if(std::begin(kExerciseKinds), std::end(kExerciseKinds) - 1,
                         [kind](const KindName& named) { return named.kind == kind; });
}

const KindName* KindNamed(std::u16string_view name) {
    const auto* found = std::find_if(std::begin(kExerciseKinds), std::end(kExerciseKinds),
                                     [name](const KindName& named) { return named.name == name; });
    return found != std::end(kExerciseKinds) ? found : nullptr;
}

std::optional<Exercise> MakeExercise(ExerciseKind kind, std::int32_t number,
                                     const cipher::Alphabet& alphabet) {
    return MakeExercise(kind, number, LanguageOf(alphabet));
}

std::optional<Exercise> MakeExercise(ExerciseKind kind, std::int32_t number,
                                     const Language& language) {
    if (number < kFirstExercise || number > kLastExercise) {
        return std::nullopt;
    }
    const cipher::Alphabet& alphabet = *language.alphabet;
    const Sentences& sentences = language.sentences;
    const std::uint64_t draw =
        Mixed(language.draws | (std::uint64_t{static_cast<std::uint8_t>(kind)} << 32U) |
              std::uint64_t(number));
    Exercise exercise;
    exercise.kind = kind;
    exercise.number = number;
    exercise.alphabet = &alphabet;
    exercise.key = static_cast<std::int32_t>(
        1 + Mixed(draw) % static_cast<std::uint64_t>(alphabet.Size() - 1));
    std::size_t next = draw % sentences.drawn;
    if (HasKeyWord(kind) || Substitutes(kind)) {
        const Sentences& keyWords = language.keyWords;
        exercise.key = 0;
        exercise.keyWord = keyWords.At(Mixed(draw + 2) % keyWords.drawn);
    }
    if (kind == ExerciseKind::kCalculate) {
        exercise.plainLetters = ShortWord(sentences, alphabet, next, Mixed(draw + 1));
        exercise.plain = exercise.plainLetters;
    }
    const std::size_t fewest = kind == ExerciseKind::kFindKey             ? kFewestLettersToBreak
                               : kind == ExerciseKind::kSolveSubstitution ? kFewestLettersToSolve
                                                                          : 1;
    while (exercise.plainLetters.size() < fewest) {
        if (!exercise.plain.empty()) {
            exercise.plain += u' ';
        }
        exercise.plain += sentences.At(next);
        next = (next + 1) % sentences.drawn;
        exercise.plainLetters = alphabet.Reduce(exercise.plain);
    }
    if (Substitutes(kind)) {
        exercise.mixed = cipher::MixedAlphabet(alphabet, exercise.keyWord);
        exercise.cipherLetters = cipher::Substituted(
            alphabet, exercise.mixed, exercise.plainLetters, cipher::Direction::kEncrypt);
        return exercise;
    }
    if (!exercise.keyWord.empty()) {
        exercise.cipherLetters = cipher::KeyWordShifted(
            alphabet, exercise.plainLetters, exercise.keyWord, cipher::Direction::kEncrypt);
        return exercise;
    }
    for (const char16_t letter : exercise.plainLetters) {
        exercise.cipherLetters += alphabet.Shifted(letter, exercise.key);
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
    // Wider than the result: a number past the highest stops the reading before it can
    // overflow, whatever the highest.
    std::int64_t number = 0;
    for (const char16_t c : typed.substr(first, last - first + 1)) {
        if (c < u'0' || c > u'9' || number > highest) {
            return std::nullopt;
        }
        number = number * 10 + (c - u'0');
    }
    if (number < lowest || number > highest) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

std::u16string WholeNumberNote(std::u16string_view what, std::int32_t highest) {
    return std::u16string(what) + u" е цяло число от 1 до " + Decimal(highest) + u".";
}

std::u16string SubstitutedText(const Exercise& exercise) {
    return cipher::Substituted(*exercise.alphabet, exercise.mixed,
                               InCapitals(exercise.plain, *exercise.alphabet),
                               cipher::Direction::kEncrypt);
}

std::u16string SubstitutionAsked(const Exercise& exercise, std::u16string_view key) {
    return Joined(
        {u"Шифрирайте със заместване с ключова дума ", exercise.keyWord, u" (ключ ", key, u"):"});
}

Task TaskOf(const Exercise& exercise) {
    std::u16string with = Joined({u"ключ ", Decimal(exercise.key), u":"});
    if (HasKeyWord(exercise.kind)) {
        with = Joined({u"ключова дума ", exercise.keyWord, u":"});
    }
    if (exercise.kind == ExerciseKind::kEncryptSubstitution) {
        return {SubstitutionAsked(exercise, exercise.mixed), exercise.plain};
    }
    if (exercise.kind == ExerciseKind::kSolveSubstitution) {
        return {u"Разгадайте заместването:", SubstitutedText(exercise)};
    }
    if (Encrypts(exercise.kind)) {
        return {u"Шифрирайте с " + with, exercise.plain};
    }
    if (exercise.kind == ExerciseKind::kCalculate) {
        return {u"Сметнете като прозореца с " + with, exercise.plainLetters};
    }
    if (exercise.kind != ExerciseKind::kFindKey) {
        return {u"Дешифрирайте с " + with, exercise.cipherLetters};
    }
    return {u"Намерете ключа и дешифрирайте:", exercise.cipherLetters};
}

std::u16string TaskText(const Exercise& exercise) {
    const Task task = TaskOf(exercise);
    return task.asked + u' ' + task.given;
}

std::u16string AnswerText(const Exercise& exercise) {
    if (Encrypts(exercise.kind)) {
        return exercise.cipherLetters;
    }
    if (exercise.kind == ExerciseKind::kCalculate) {
        return CalculationAnswer(exercise);
    }
    std::u16string letters = Joined({exercise.plainLetters, u" (", exercise.plain, u")"});
    if (exercise.kind == ExerciseKind::kFindKey) {
        return Joined({u"Ключ ", Decimal(exercise.key), u": ", letters});
    }
    return letters;
}

}  // namespace lesson
