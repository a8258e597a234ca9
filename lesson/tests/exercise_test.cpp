// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "lesson/answer_check.h"
#include "lesson/english_phrases.h"
#include "lesson/exercise.h"

namespace {

using lesson::ExerciseKind;
using Kind = lesson::LetterMark::Kind;

// A teacher's "everyone do 4711" means the same sentence and key on every machine.
TEST(MakeExercise, GivesTheSameExerciseForTheSameNumber) {
    const struct {
        ExerciseKind kind;
        std::int32_t number, key;
        std::u16string plainStart, cipherStart;
    } cases[] = {
        {ExerciseKind::kEncrypt, 4711, 10, u"One swallow does not make a summer.", u"YXOCGKVV"},
        {ExerciseKind::kDecrypt, 1, 15, u"Many trees lose their leaves in the autumn.", u"BPCNIG"},
        {ExerciseKind::kFindKey, 9999, 4, u"Time flies when you are having fun. Waste not,",
         u"XMQIJPMI"},
    };
    for (const auto& c : cases) {
        const std::optional<lesson::Exercise> exercise = lesson::MakeExercise(c.kind, c.number);
        ASSERT_TRUE(exercise.has_value());
        EXPECT_EQ(exercise->key, c.key);
        EXPECT_EQ(exercise->plain.rfind(c.plainStart, 0), 0U) << c.number;
        EXPECT_EQ(exercise->cipherLetters.rfind(c.cipherStart, 0), 0U) << c.number;
    }
    for (const std::int32_t outside : {0, -1, 10000}) {
        EXPECT_FALSE(lesson::MakeExercise(ExerciseKind::kEncrypt, outside).has_value());
    }
}

// Every number of every kind: lengths and keys in range, and every sentence given out.
TEST(MakeExercise, StaysInRangeAndUsesEverySentence) {
    for (const ExerciseKind kind :
         {ExerciseKind::kEncrypt, ExerciseKind::kDecrypt, ExerciseKind::kFindKey}) {
        const bool toBreak = kind == ExerciseKind::kFindKey;
        std::set<std::u16string> used;
        std::size_t shortest = 1000;
        std::size_t longest = 0;
        for (std::int32_t number = lesson::kFirstExercise; number <= lesson::kLastExercise;
             ++number) {
            const lesson::Exercise exercise = *lesson::MakeExercise(kind, number);
            ASSERT_GE(exercise.key, 1);
            ASSERT_LE(exercise.key, 25);
            shortest = std::min(shortest, exercise.plainLetters.size());
            longest = std::max(longest, exercise.plainLetters.size());
            ASSERT_EQ(exercise.cipherLetters.size(), exercise.plainLetters.size());
            for (const std::u16string_view phrase : lesson::EnglishPhrases()) {
                if (exercise.plain.find(phrase) != std::u16string::npos) {
                    used.insert(std::u16string(phrase));
                }
            }
        }
        std::printf("kind %d: %zu to %zu letters, %zu of %zu sentences used\n",
                    static_cast<int>(kind), shortest, longest, used.size(),
                    lesson::EnglishPhrases().size());
        EXPECT_GE(shortest, toBreak ? 60U : 12U);
        EXPECT_LE(longest, toBreak ? 150U : 50U);
        EXPECT_EQ(used.size(), lesson::EnglishPhrases().size());
    }
}

// Letters only count, aligned so that a letter left out or put in is reported as such.
TEST(CheckAnswer, MarksEachLetterAndAlignsMissingAndExtraOnes) {
    const struct {
        std::u16string answer;
        std::u16string kinds;  // R right, W wrong, M missing, X extra
        std::u16string summary;
    } cases[] = {
        {u"DEFBC", u"RRRRR", u"5 от 5 букви са верни"},
        {u"DEFAC", u"RRRWR", u"4 от 5 букви са верни"},
        {u"DEBC", u"RRMRR", u"4 от 5 букви са верни"},
        {u"DEFFBC", u"RRRXRR", u"5 от 5 букви са верни"},
        {u"d e-f, b!c", u"RRRRR", u"5 от 5 букви са верни"},
        {u"", u"MMMMM", u"0 от 5 букви са верни"},
        {u"Dx", u"RWMMM", u"1 от 5 букви е вярна"},
    };
    for (const auto& c : cases) {
        const lesson::AnswerCheck check =
            lesson::CheckAnswer(c.answer, u"ABCYZ", 3, lesson::Direction::kEncrypt);
        std::u16string kinds;
        for (const lesson::LetterMark& mark : check.marks) {
            kinds += u"RWMX"[static_cast<std::size_t>(mark.kind)];
        }
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(check.summary, c.summary);
    }
    // A wrong letter gets its line as the window's trace writes it, both ways.
    const lesson::AnswerCheck encrypted =
        lesson::CheckAnswer(u"DEFAC", u"ABCYZ", 3, lesson::Direction::kEncrypt);
    EXPECT_EQ(encrypted.marks[3].line, u"Y + 3 = 89 + 3 = 66 -> B");
    EXPECT_EQ(encrypted.marks[3].place, 4U);
    const lesson::AnswerCheck decrypted =
        lesson::CheckAnswer(u"AYZ", u"DBC", 3, lesson::Direction::kDecrypt);
    EXPECT_EQ(decrypted.right, 3U);
    const lesson::AnswerCheck missing =
        lesson::CheckAnswer(u"AZ", u"DBC", 3, lesson::Direction::kDecrypt);
    ASSERT_EQ(missing.marks[1].kind, Kind::kMissing);
    EXPECT_EQ(missing.marks[1].line, u"B - 3 = 66 + 23 = 89 -> Y");
}

TEST(CheckKey, ReadsTheKeyAsTheWindowReadsTheOffset) {
    const struct {
        std::u16string typed;
        bool right;
        std::u16string note;
    } cases[] = {
        {u"3", true, u""},
        {u" 29 ", true, u"29 е същото като 3"},
        {u"-23", true, u"-23 е същото като 3"},
        {u"4", false, u""},
        {u"", false, u""},
        {u"99999999999", false, u"Ключът е твърде голям."},
    };
    for (const auto& c : cases) {
        const lesson::KeyCheck check = lesson::CheckKey(c.typed, 3);
        EXPECT_EQ(check.right, c.right);
        EXPECT_EQ(check.note, c.note);
    }
}

}  // namespace
