// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "lesson/calculation.h"
#include "lesson/exercise.h"

namespace {

using lesson::ExerciseKind;

lesson::Exercise Word(const cipher::Alphabet& alphabet, std::u16string letters, std::int32_t key) {
    lesson::Exercise exercise;
    exercise.kind = ExerciseKind::kCalculate;
    exercise.alphabet = &alphabet;
    exercise.key = key;
    exercise.plainLetters = std::move(letters);
    return exercise;
}

// Every exercise handed out: a short word, its lines ending on the letters the cipher gives,
// A to Z's encode lines the window's own, and the right values all marked right.
TEST(CalculationOf, AgreesWithTheTraceForEveryExercise) {
    for (const cipher::Alphabet* alphabet :
         {&cipher::LatinAlphabet(), &cipher::CyrillicAlphabet()}) {
        const bool codes = alphabet->numbering == cipher::Numbering::kCharacterCode;
        for (std::int32_t number = lesson::kFirstExercise; number <= lesson::kLastExercise;
             ++number) {
            const std::optional<lesson::Exercise> exercise =
                lesson::MakeExercise(ExerciseKind::kCalculate, number, *alphabet);
            ASSERT_TRUE(exercise.has_value());
            const std::u16string& word = exercise->plainLetters;
            ASSERT_GE(word.size(), 3U) << number;
            ASSERT_LE(word.size(), 6U) << number;
            ASSERT_TRUE(exercise->key >= 1 && exercise->key < alphabet->Size()) << number;
            const lesson::Calculation calculation = lesson::CalculationOf(*exercise);
            ASSERT_EQ(calculation.encodeLines.size(), word.size());
            ASSERT_EQ(calculation.decodeLines.size(), word.size());
            std::u16string values;
            std::set<std::u16string> names;
            for (const lesson::CalculationBox& box : calculation.boxes) {
                values += box.expected + lesson::kBoxSeparator;
                names.insert(box.name);
            }
            EXPECT_EQ(names.size(), calculation.boxes.size()) << number;
            EXPECT_EQ(lesson::CheckCalculation(calculation, values, *alphabet).right,
                      calculation.boxes.size());
            for (std::size_t i = 0; i < word.size(); ++i) {
                const std::u16string encoded =
                    lesson::FilledLine(calculation, calculation.encodeLines[i]);
                const std::u16string trace = cipher::EncodeLine(*alphabet, word[i], exercise->key);
                EXPECT_EQ(codes ? encoded : encoded.substr(encoded.size() - 1),
                          codes ? trace : trace.substr(trace.size() - 1));
                EXPECT_EQ(lesson::FilledLine(calculation, calculation.decodeLines[i]).back(),
                          word[i]);
            }
        }
    }
}

TEST(CalculationOf, WritesTheWindowsLines) {
    const lesson::Exercise yes = Word(cipher::LatinAlphabet(), u"YES", 3);
    const lesson::Calculation calculation = lesson::CalculationOf(yes);
    EXPECT_EQ(lesson::BlankLine(calculation.encodeLines[0]), u"Y + 3 = ____ + 3 = ____ -> ____");
    EXPECT_EQ(lesson::BlankLine(calculation.decodeLines[0]), u"____ ____ = ____ -> ____");
    EXPECT_EQ(lesson::CalculationAnswer(yes),
              u"Y + 3 = 89 + 3 = 66 -> B; E + 3 = 69 + 3 = 72 -> H; S + 3 = 83 + 3 = 86 -> V; "
              u"66 +23 = 89 -> Y; 72 -3 = 69 -> E; 86 -3 = 83 -> S");
    const lesson::Calculation ula =
        lesson::CalculationOf(Word(cipher::CyrillicAlphabet(), u"ЮЛА", 3));
    EXPECT_EQ(lesson::FilledLine(ula, ula.encodeLines[0]), u"Ю + 3 = 28 + 3 = 1 -> Б");
    EXPECT_EQ(lesson::FilledLine(ula, ula.decodeLines[0]), u"1 - 3 = 28 -> Ю");
    // Past the right alphabet's letters, any exercise still has its lines.
    const lesson::Exercise wide =
        *lesson::MakeExercise(ExerciseKind::kFindKey, 7, cipher::CyrillicAlphabet());
    EXPECT_EQ(lesson::CalculationOf(wide).boxes.size(), wide.plainLetters.size() * 6);
}

// Each box of YES by 3 (7 a letter: Y wraps, E and S do not) and of ЮЛА by 3 (6 a letter).
TEST(CheckCalculation, ReadsEachBoxAsTheTraceWritesIt) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        const cipher::Alphabet& alphabet;
        std::size_t box;
        std::u16string typed;
        bool right;
        std::u16string reason;  // checked where given
    } cases[] = {
        {latin, 0, u" 8 9 ", true, u"Кодът на Y е 89: A е 65, а Y е 24 букви след нея."},
        {latin, 0, u"+89", true, {}},
        {latin, 0, u"1e9999", false, {}},
        {latin, 0, std::u16string(400, u'9'), false, {}},
        {latin, 0, u"18446744073709551705", false, {}},
        {latin, 1, u"92", false, u"89 + 3 = 92, а след Z (90) се продължава от A: 92 - 26 = 66"},
        {latin, 4, u"72", true, u"69 + 3 = 72"},
        {latin, 2, u"b", true, u"66 е кодът на B."},
        {latin, 2, u"В", true, {}},
        {latin, 2, u"BB", false, {}},
        {latin, 7, u"", false, {}},
        {latin, 9, u"66", true, u"Кодът на шифрираната буква B е 66."},
        {latin, 10, u"+ 23", true,
         u"66 - 3 = 63 е преди A (65), затова се прибавя 26 - 3 = 23: +23"},
        {latin, 10, u"23", true, {}},
        {latin, 10, u"-23", false, {}},
        {latin, 11, u"89", true, u"66 + 23 = 89"},
        {latin, 14, u"- 3", true, u"Изважда се ключът: -3"},
        {latin, 14, u"3", false, {}},
        {latin, 14, u"+-3", false, {}},
        {latin, 14, u"3-", false, {}},
        {cyrillic, 0, u"28", true, u"Номерът на Ю е 28: А е 0, а Ю е 28 букви след нея."},
        {cyrillic, 6, u"1", false, u"Номерът на А е 0: номерата започват от 0."},
        {cyrillic, 1, u"31", false, u"28 + 3 = 31, а след Я (29) се продължава от А: 31 - 30 = 1"},
        {cyrillic, 2, u"b", false, u"1 е номерът на Б."},
        {cyrillic, 5, u"o", true, {}},
        {cyrillic, 9, u"1", true, u"Номерът на шифрираната буква Б е 1."},
        {cyrillic, 10, u"28", true, u"1 - 3 = -2, а преди А (0) се продължава от Я: -2 + 30 = 28"},
        {cyrillic, 13, u"11", true, u"14 - 3 = 11"},
        {cyrillic, 14, u"л", true, {}},
    };
    for (const auto& c : cases) {
        const bool codes = &c.alphabet == &latin;
        const lesson::Calculation calculation =
            lesson::CalculationOf(Word(c.alphabet, codes ? u"YES" : u"ЮЛА", 3));
        const lesson::CalculationCheck check = lesson::CheckCalculation(
            calculation, std::u16string(c.box, lesson::kBoxSeparator) + c.typed, c.alphabet);
        ASSERT_EQ(check.marks.size(), codes ? 21U : 18U);
        EXPECT_EQ(check.marks[c.box].filled, !c.typed.empty()) << c.box;
        EXPECT_EQ(check.marks[c.box].right, c.right) << c.box;
        EXPECT_EQ(check.summary,
                  c.right ? (codes ? u"1 от 21 полета е вярно" : u"1 от 18 полета е вярно")
                          : (codes ? u"0 от 21 полета са верни" : u"0 от 18 полета са верни"));
        if (!c.reason.empty()) {
            EXPECT_EQ(calculation.boxes[c.box].reason, c.reason) << c.box;
        }
    }
    EXPECT_EQ(lesson::BoxValues(u"1;2", 3), (std::vector<std::u16string>{u"1", u"2", u""}));
    EXPECT_EQ(lesson::BoxValues(u"1;2;3", 2), (std::vector<std::u16string>{u"1", u"2"}));
}

}  // namespace
