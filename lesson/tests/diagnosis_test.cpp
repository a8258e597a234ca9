// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/diagnosis.h"
#include "lesson/classroom/practice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/work_check.h"
#include "lesson/text/spelled_letters.h"

namespace {

using lesson::Direction;
constexpr Direction kE = Direction::kEncrypt;
constexpr Direction kD = Direction::kDecrypt;

// Answers made by one mistake each, worked out by hand, with the student's line for the first
// letter the mistake explains; and answers no single cause explains.
TEST(Diagnose, NamesTheOneCauseOfTheMistakes) {
    const cipher::Alphabet* const latin = &cipher::LatinAlphabet();
    const cipher::Alphabet* const cyrillic = &cipher::CyrillicAlphabet();
    const std::u16string seems = u"Изглежда, че сте ";
    const std::u16string back = seems + u"изместили назад вместо напред.";
    const std::u16string forth = seems +
                                 u"шифрирали, вместо да дешифрирате: изместили сте напред "
                                 u"вместо назад.";
    const std::u16string wrap = seems + u"сбъркали там, където се минава ";
    const std::u16string pastZ = wrap + u"след Z: след Z се продължава от A.";
    const std::u16string numbered = seems + u"номерирали буквите като в ";
    const std::u16string unicode =
        numbered + u"Уникод (А…Я с Ы и Э, 32 букви), а не по 30-те букви на българската азбука.";
    const struct {
        const cipher::Alphabet* alphabet;
        Direction direction;
        std::u16string from, answer;
        lesson::ExerciseKey key;
        std::u16string sentence, yours;  // empty for none
    } cases[] = {
        {latin, kE, u"HELLO", u"EBIIL", 3, back, u"H - 3 = 72 - 3 = 69 -> E"},
        {latin, kE, u"HELLO", u"LIPPS", 3, seems + u"използвали ключ 4 вместо 3.",
         u"H + 4 = 72 + 4 = 76 -> L"},
        {latin, kE, u"AXYB", u"D[\\E", 3, pastZ, u"X + 3 = 88 + 3 = 91 -> ["},
        {latin, kE, u"AXB", u"DBE", 3, pastZ, u"X + 3 = 88 + 3 = 91 - 25 = 66 -> B"},
        {latin, kE, u"HELLO", u"HELLO", 3, seems + u"преписали буквите, без да ги изместите.",
         u"H + 0 = 72 + 0 = 72 -> H"},
        {latin, kD, u"KHOOR", u"NKRRU", 3, forth, u"K + 3 = 75 + 3 = 78 -> N"},
        {latin, kD, u"DABE", u"A>?B", 3, wrap + u"преди A: преди A се продължава от Z.",
         u"A - 3 = 65 - 3 = 62 -> >"},
        {cyrillic, kE, u"ЮЯАБ", u"ВГГД", 3, wrap + u"след Я: след Я се продължава от А.",
         u"Ю + 3 = 28 + 3 = 31 - 29 = 2 -> В"},
        {cyrillic, kE, u"ЩЬЩЬАБ", u"ЬЯЬЯГД", 3, unicode, u"Щ + 3 = 25 + 3 = 28 -> Ь"},
        {cyrillic, kE, u"ЬЦЦ", u"Б", 5, unicode, u"Ь + 5 = 28 + 5 = 33 - 32 = 1 -> Б"},
        {cyrillic, kD, u"ЯЬД", u"ЬЩБ", 3, unicode, u"Я - 3 = 31 - 3 = 28 -> Ь"},
        {cyrillic, kE, u"ДДА", u"ЖЖГ", 3,
         numbered + u"руската азбука (33 букви, с Ё, Ы и Э), а не по 30-те букви на българската "
                    u"азбука.",
         u"Д + 3 = 4 + 3 = 7 -> Ж"},
        {cyrillic, kD, u"ГДЕЖ", u"ВГДЕ", 3, seems + u"използвали ключ 1 вместо 3.",
         u"Г - 1 = 3 - 1 = 2 -> В"},
        // A key word, its letters shifting on places: back, each letter one on, and the wrap.
        {latin, kE, u"HELLO", u"VEWZO", std::u16string_view(u"MAP"), back,
         u"H - M(12) = 7 - 12 = -5 + 26 = 21 -> V"},
        {latin, kE, u"HELLO", u"UFBYP", std::u16string_view(u"MAP"),
         seems + u"използвали ключовата дума NBQ вместо MAP: всяка буква на ключа е с една позиция "
                 u"напред. Номерата на буквите започват от 0 (A = 0).",
         u"H + N(13) = 7 + 13 = 20 -> U"},
        {latin, kE, u"YB", u"KM", std::u16string_view(u"L"), pastZ,
         u"Y + L(11) = 24 + 11 = 35 - 25 = 10 -> K"},
        // Nine in ten: named. Three in four, a right letter against it, or no one cause: not.
        {latin, kE, u"ABCDEFGHIJ", u"XYZABCDEFQ", 3, back, u"A - 3 = 65 + 23 = 88 -> X"},
        {latin, kE, u"ABCD", u"XYZQ", 3, {}, {}},
        {latin, kE, u"ABCDE", u"XYZAH", 3, {}, {}},
        {latin, kE, u"HELLO", u"QWERT", 3, {}, {}},
    };
    for (const auto& c : cases) {
        const auto found =
            lesson::Diagnose(lesson::CheckAnswer(c.answer, c.from, c.key, c.direction, *c.alphabet),
                             c.from, c.key, c.direction, *c.alphabet);
        EXPECT_EQ(found ? found->sentence : u"", c.sentence) << c.from.size();
        EXPECT_EQ(found ? found->yours : u"", c.yours.empty() ? u"" : u"Вашето: " + c.yours);
    }
    EXPECT_EQ(lesson::DiagnoseKey(u"23", 3, *latin)->sentence,
              u"Изглежда, че ключът ви измества в обратната посока: опитайте с 26 - 23.");
    EXPECT_FALSE(lesson::DiagnoseKey(u"5", 3, *latin) || lesson::DiagnoseKey(u"29", 3, *latin) ||
                 lesson::DiagnoseKey(u"99999999999", 3, *latin));
}

// Wrong answers as a student in a hurry might type them: random letters, the right answer
// with one to three slips, and random letters of a random length. The rate of those given a
// cause anyway is printed with the count of each kind.
TEST(Diagnose, AlmostNeverNamesACauseForRandomAnswers) {
    std::mt19937 draw(20261210);
    for (const cipher::Alphabet* alphabet :
         {&cipher::LatinAlphabet(), &cipher::CyrillicAlphabet()}) {
        std::array<int, 3> made{};
        std::array<int, 3> named{};
        const auto letter = [&] { return alphabet->letters[draw() % alphabet->letters.size()]; };
        for (int trial = 0; trial < 10000; ++trial) {
            const auto kind = static_cast<lesson::ExerciseKind>(draw() % 2);
            const lesson::Exercise exercise = *lesson::MakeExercise(
                kind, static_cast<std::int32_t>(1 + draw() % 9999), *alphabet);
            const Direction direction = kind == lesson::ExerciseKind::kEncrypt ? kE : kD;
            const std::u16string& from =
                direction == kE ? exercise.plainLetters : exercise.cipherLetters;
            std::u16string answer =
                direction == kE ? exercise.cipherLetters : exercise.plainLetters;
            const std::uint32_t how = draw() % 3;
            for (std::uint32_t slip = 0, slips = 1 + draw() % 3; how == 1 && slip < slips; ++slip) {
                answer[draw() % answer.size()] = letter();
            }
            if (how != 1) {
                answer.resize(how == 0 ? answer.size() : 1 + draw() % (2 * answer.size()));
                std::generate(answer.begin(), answer.end(), letter);
            }
            const auto check =
                lesson::CheckAnswer(answer, from, exercise.key, direction, *alphabet);
            if (check.right != check.expected || check.given != check.expected) {
                ++made[how];
                named[how] +=
                    lesson::Diagnose(check, from, exercise.key, direction, *alphabet) ? 1 : 0;
            }
        }
        const int total = made[0] + made[1] + made[2];
        const int wrongly = named[0] + named[1] + named[2];
        std::cout << alphabet->Size() << " letters: a cause named for " << wrongly << " of "
                  << total << " wrong answers (" << 100.0 * wrongly / total << "%); random "
                  << named[0] << "/" << made[0] << ", slips " << named[1] << "/" << made[1]
                  << ", random length " << named[2] << "/" << made[2] << "\n";
        EXPECT_TRUE(made[0] > 0 && made[1] > 0 && made[2] > 0);
        EXPECT_LT(100 * wrongly, total);
    }
}

}  // namespace

// The section says what the check found: the cause, the look-alikes read, a short answer's
// missing letters in one line, the boxes' reasons (none for an empty box), and each kind's
// answer with its letters spelled.
TEST(ExerciseSection, SaysTheCauseTheLookAlikesTheMissingLettersAndTheBoxes) {
    using lesson::ExerciseKind;
    lesson::ExerciseSection section;
    section.Open(ExerciseKind::kEncrypt, u"4711");
    const lesson::Exercise shown = section.Practised().Current();
    std::u16string backwards = shown.plainLetters;
    std::transform(backwards.begin(), backwards.end(), backwards.begin(), [&](char16_t letter) {
        return cipher::LatinAlphabet().Shifted(letter, -shown.key);
    });
    section.Check(backwards, u"");
    EXPECT_NE(section.Announcement().find(u". Изглежда, че сте изместили назад"),
              std::u16string::npos);

    // The longest English text to break has 100 letters: its last is the 100th, "100-тна".
    std::int32_t number = 1;
    while (lesson::MakeExercise(ExerciseKind::kFindKey, number)->plainLetters.size() < 100) {
        ++number;
    }
    section.Open(ExerciseKind::kFindKey, cipher::DecimalText(number));
    const lesson::Exercise found = section.Practised().Current();
    const std::u16string& letters = found.plainLetters;
    section.Check(std::u16string{letters[2], letters[8], letters[11], letters[13], letters[37]},
                  cipher::DecimalText(found.key));
    EXPECT_EQ(section.Practised().LastCheck().missingNote,
              u"Липсват 95 букви: от 1-ва до 2-ра, от 4-та до 8-ма, от "
              u"10-та до 11-та, 13-та, от 15-та до 37-ма, от 39-та до "
              u"100-тна.");
    EXPECT_EQ(section.Practised().LastCheck().letters.marks.size(), 5U);
    EXPECT_EQ(section.Practised().HintsUsed(), u"Използвани подсказки: 0 от 3");
    section.Check(letters, cipher::DecimalText(26 - found.key));
    EXPECT_TRUE(section.Practised().LastCheck().diagnosis->sentence.starts_with(
                    u"Изглежда, че ключът ви измества") &&
                section.Practised().LastCheck().letters.marks.empty());

    section.Open(ExerciseKind::kDecrypt, u"7", cipher::CyrillicAlphabet());
    std::u16string lookAlikes = section.Practised().Current().plainLetters;
    std::replace(lookAlikes.begin(), lookAlikes.end(), u'А', u'A');
    section.Check(lookAlikes, u"");
    EXPECT_TRUE(section.Practised().LastCheck().verdict.starts_with(u"Вярно! ") &&
                section.Practised().LastCheck().verdict.ends_with(
                    u" „A“ (латинска) е прочетена като „А“."));

    section.Open(ExerciseKind::kCalculate, u"1");
    const lesson::Calculation calculation = section.Practised().Calculated();
    std::u16string boxes;
    for (const lesson::CalculationBox& box : calculation.boxes) {
        boxes += box.expected;
        boxes += lesson::kBoxSeparator;
    }
    const std::u16string said = calculation.boxes[0].name + u": " + calculation.boxes[0].reason;
    section.Check(boxes.substr(boxes.find(u';')), u"");
    EXPECT_EQ(section.Announcement().find(said), std::u16string::npos);
    std::u16string firstWrong(1, u'0');
    section.Check(firstWrong.append(boxes, boxes.find(u';')), u"");
    EXPECT_NE(section.Announcement().find(said), std::u16string::npos);
    section.Check(boxes, u"");
    EXPECT_TRUE(section.Practised().Work().solved);

    const std::u16string answers[] = {
        lesson::SpelledLetters(shown.cipherLetters),
        lesson::MakeExercise(ExerciseKind::kDecrypt, 1)->plain,
        u"ключ " + cipher::DecimalText(found.key) + u": " + found.plain,
        lesson::CalculationAnswer(section.Practised().Current()),
        lesson::SpelledLetters(
            lesson::MakeExercise(ExerciseKind::kEncryptKeyWord, 1)->cipherLetters),
        lesson::MakeExercise(ExerciseKind::kDecryptKeyWord, 1)->plain,
        lesson::SpelledLetters(
            lesson::MakeExercise(ExerciseKind::kEncryptSubstitution, 1)->cipherLetters),
        lesson::MakeExercise(ExerciseKind::kSolveSubstitution, 1)->plain,
    };
    const std::int32_t numbers[] = {4711, 1, number, 1, 1, 1, 1, 1};  // in the order of the kinds
    for (const lesson::KindName& kind : lesson::kExerciseKinds) {
        const auto at = static_cast<std::size_t>(&kind - lesson::kExerciseKinds);
        section.Open(kind.kind, cipher::DecimalText(numbers[at]));
        section.Reveal();
        EXPECT_EQ(section.Announcement(), u"Отговорът: " + answers[at]);
    }
}
