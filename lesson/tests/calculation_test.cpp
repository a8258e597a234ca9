// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"

namespace lesson {
namespace {

const cipher::Alphabet* const kLatin = &cipher::LatinAlphabet();
const cipher::Alphabet* const kCyrillic = &cipher::CyrillicAlphabet();

// YES by 3, or ЮЛА by 3: the first letter wraps, the others do not.
Exercise Word(const cipher::Alphabet* alphabet) {
    Exercise exercise;
    exercise.kind = ExerciseKind::kCalculate;
    exercise.alphabet = alphabet;
    exercise.key = 3;
    exercise.plainLetters = alphabet == kLatin ? u"YES" : u"ЮЛА";
    return exercise;
}

// Every exercise handed out: a short word, its lines ending on the letters the cipher gives,
// A to Z's encode lines the window's own, each box named apart, the right values marked right.
TEST(CalculationOf, AgreesWithTheTraceForEveryExercise) {
    for (const cipher::Alphabet* alphabet : {kLatin, kCyrillic}) {
        for (std::int32_t number = kFirstExercise; number <= kLastExercise; ++number) {
            const Exercise exercise = *MakeExercise(ExerciseKind::kCalculate, number, *alphabet);
            const std::u16string& word = exercise.plainLetters;
            ASSERT_TRUE(word.size() >= 3 && word.size() <= 6 && exercise.key >= 1 &&
                        exercise.key < alphabet->Size());
            const Calculation calculation = CalculationOf(exercise);
            ASSERT_EQ(calculation.encodeLines.size() + calculation.decodeLines.size(),
                      2 * word.size());
            std::u16string values;
            std::set<std::u16string> names;
            for (const CalculationBox& box : calculation.boxes) {
                values += box.expected + kBoxSeparator;
                names.insert(box.name);
            }
            EXPECT_EQ(names.size(), calculation.boxes.size()) << number;
            EXPECT_EQ(CheckCalculation(calculation, values, *alphabet).right, names.size());
            for (std::size_t i = 0; i < word.size(); ++i) {
                const std::u16string line = FilledLine(calculation, calculation.encodeLines[i]);
                const std::u16string trace = cipher::EncodeLine(*alphabet, word[i], exercise.key);
                EXPECT_EQ(alphabet == kLatin ? line : line.substr(line.size() - 1),
                          alphabet == kLatin ? trace : trace.substr(trace.size() - 1));
                EXPECT_EQ(FilledLine(calculation, calculation.decodeLines[i]).back(), word[i]);
            }
        }
    }
}

TEST(CalculationOf, WritesTheWindowsLines) {
    const Calculation yes = CalculationOf(Word(kLatin));
    EXPECT_EQ(BlankLine(yes.encodeLines[0]), u"Y + 3 = ____ + 3 = ____ -> ____");
    EXPECT_EQ(BlankLine(yes.decodeLines[0]), u"____ ____ = ____ -> ____");
    EXPECT_EQ(CalculationAnswer(Word(kLatin)),
              u"Y + 3 = 89 + 3 = 66 -> B; E + 3 = 69 + 3 = 72 -> H; S + 3 = 83 + 3 = 86 -> V; "
              u"66 +23 = 89 -> Y; 72 -3 = 69 -> E; 86 -3 = 83 -> S");
    EXPECT_EQ(CalculationAnswer(Word(kCyrillic)),
              u"Ю + 3 = 28 + 3 = 1 -> Б; Л + 3 = 11 + 3 = 14 -> О; А + 3 = 0 + 3 = 3 -> Г; "
              u"1 - 3 = 28 -> Ю; 14 - 3 = 11 -> Л; 3 - 3 = 0 -> А");
    // Any exercise has its lines, however long.
    const Exercise wide = *MakeExercise(ExerciseKind::kFindKey, 7, *kCyrillic);
    EXPECT_EQ(CalculationOf(wide).boxes.size(), wide.plainLetters.size() * 6);
}

// Answers to YES by 3 (boxes 0-8 its encode lines, 3 a letter; 9-20 its decode lines, 4 a
// letter) and to ЮЛА by 3 (0-8 and 9-17, 3 a letter): the marks each box gets in turn, + right,
// - wrong, . empty, and what is said of the first wrong one.
TEST(CheckCalculation, ReadsEachBoxAsTheTraceWritesIt) {
    const struct {
        const cipher::Alphabet* alphabet;
        std::u16string answer;
        std::u16string_view marks, reason;
    } cases[] = {
        {kLatin, u" 8 9 ;92;В;+69;72;h", u"+-++++",
         u"89 + 3 = 92, а след Z (90) се продължава от A: 92 - 26 = 66"},
        {kLatin, u"1e9999;18446744073709551682;BB;" + std::u16string(400, u'9') + u";;;;;;;+ 23",
         u"----......+", u"Кодът на Y е 89: A е 65, а Y е 24 букви след нея."},
        {kLatin, u";;;;;;;;;66;23;89;y;72;3-;69;e", u".........+++++-++", u"Изважда се ключът: -3"},
        {kLatin, u";;;;;;;;;;-23;;;;- 3;;;;+-3;+83;\t", u"..........-...+...-+.",
         u"66 - 3 = 63 е преди A (65), затова се прибавя 26 - 3 = 23: +23"},
        {kCyrillic, u"28;31;b;11;14;o;0;+3;г", u"+--++++++",
         u"28 + 3 = 31, а след Я (29) се продължава от А: 31 - 30 = 1"},
        {kCyrillic, u";;;;;;;;;1;-2;ю;14;11;л", u".........+-++++",
         u"1 - 3 = -2, а преди А (0) се продължава от Я: -2 + 30 = 28"},
        {kCyrillic, u";;;;;;1;+", u"......--", u"Номерът на А е 0: номерата започват от 0."},
    };
    for (const auto& c : cases) {
        const Calculation calculation = CalculationOf(Word(c.alphabet));
        const CalculationCheck check = CheckCalculation(calculation, c.answer, *c.alphabet);
        for (std::size_t i = 0; i < check.marks.size(); ++i) {
            const char16_t mark = i < c.marks.size() ? c.marks[i] : u'.';
            EXPECT_EQ(check.marks[i].filled, mark != u'.') << i;
            EXPECT_EQ(check.marks[i].right, mark == u'+') << i;
            EXPECT_EQ(check.marks[i].wrong, mark == u'-') << i;
        }
        const std::size_t wrong = c.marks.find(u'-');
        EXPECT_EQ(calculation.boxes[wrong].reason, c.reason);
        EXPECT_EQ(check.marks[wrong].reason,
                  calculation.boxes[wrong].name + u": " + std::u16string(c.reason));
    }
    const Calculation yes = CalculationOf(Word(kLatin));
    EXPECT_EQ(CheckCalculation(yes, u";66", *kLatin).summary, u"1 от 21 полета е вярно");
    EXPECT_EQ(CheckCalculation(yes, u"0;66;B", *kLatin).summary, u"2 от 21 полета са верни");
    EXPECT_EQ(BoxValues(u"1;2", 3), (std::vector<std::u16string>{u"1", u"2", u""}));
    EXPECT_EQ(BoxValues(u"1;2;3", 2), (std::vector<std::u16string>{u"1", u"2"}));
}

}  // namespace
}  // namespace lesson
