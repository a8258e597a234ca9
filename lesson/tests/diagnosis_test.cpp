// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/diagnosis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <optional>
#include <random>
#include <string>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "lesson/answer_check.h"
#include "lesson/calculation.h"
#include "lesson/exercise.h"
#include "lesson/exercise_section.h"
#include "lesson/spelled_letters.h"

namespace {

using lesson::Direction;

std::optional<lesson::Diagnosis> Diagnosed(std::u16string_view answer, std::u16string_view from,
                                           std::int32_t key, Direction direction,
                                           const cipher::Alphabet& alphabet) {
    return lesson::Diagnose(lesson::CheckAnswer(answer, from, key, direction, alphabet), from, key,
                            direction, alphabet);
}

// Answers made by one mistake each, worked out by hand; the first letter the mistake explains
// is shown as the student worked it and as it should be.
TEST(Diagnose, NamesTheOneCauseOfTheMistakes) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        const cipher::Alphabet* alphabet;
        Direction direction;
        std::u16string from;
        std::int32_t key;
        std::u16string answer;
        std::u16string sentence;  // empty for none
        std::u16string yours;
    } cases[] = {
        {&latin, Direction::kEncrypt, u"HELLO", 3, u"EBIIL",
         u"Изглежда, че сте изместили назад вместо напред.", u"Вашето: H - 3 = 72 - 3 = 69 -> E"},
        {&latin, Direction::kEncrypt, u"HELLO", 3, u"LIPPS",
         u"Изглежда, че сте използвали ключ 4 вместо 3.", u"Вашето: H + 4 = 72 + 4 = 76 -> L"},
        {&latin, Direction::kEncrypt, u"AXYB", 3, u"D[\\E",
         u"Изглежда, че сте сбъркали там, където се минава след Z: след Z се продължава от A.",
         u"Вашето: X + 3 = 88 + 3 = 91 -> ["},
        {&latin, Direction::kEncrypt, u"AXYB", 3, u"DBCE",
         u"Изглежда, че сте сбъркали там, където се минава след Z: след Z се продължава от A.",
         u"Вашето: X + 3 = 88 + 3 = 91 - 25 = 66 -> B"},
        {&latin, Direction::kEncrypt, u"HELLO", 3, u"HELLO",
         u"Изглежда, че сте преписали буквите, без да ги изместите.",
         u"Вашето: H + 0 = 72 + 0 = 72 -> H"},
        {&latin, Direction::kDecrypt, u"KHOOR", 3, u"NKRRU",
         u"Изглежда, че сте шифрирали, вместо да дешифрирате: изместили сте напред вместо назад.",
         u"Вашето: K + 3 = 75 + 3 = 78 -> N"},
        {&latin, Direction::kDecrypt, u"DABE", 3, u"A>?B",
         u"Изглежда, че сте сбъркали там, където се минава преди A: преди A се продължава от Z.",
         u"Вашето: A - 3 = 65 - 3 = 62 -> >"},
        {&cyrillic, Direction::kEncrypt, u"ЮЯАБ", 3, u"ВГГД",
         u"Изглежда, че сте сбъркали там, където се минава след Я: след Я се продължава от А.",
         u"Вашето: Ю + 3 = 28 + 3 = 31 - 29 = 2 -> В"},
        {&cyrillic, Direction::kEncrypt, u"ЩЬЩЬАБ", 3, u"ЬЯЬЯГД",
         u"Изглежда, че сте номерирали буквите като в Уникод (А…Я с Ы и Э, 32 букви), а не по "
         u"30-те букви на българската азбука.",
         u"Вашето: Щ + 3 = 25 + 3 = 28 -> Ь"},
        {&cyrillic, Direction::kEncrypt, u"ЬЦЦ", 5, u"Б",
         u"Изглежда, че сте номерирали буквите като в Уникод (А…Я с Ы и Э, 32 букви), а не по "
         u"30-те букви на българската азбука.",
         u"Вашето: Ь + 5 = 28 + 5 = 33 - 32 = 1 -> Б"},
        {&cyrillic, Direction::kDecrypt, u"ЯЬД", 3, u"ЬЩБ",
         u"Изглежда, че сте номерирали буквите като в Уникод (А…Я с Ы и Э, 32 букви), а не по "
         u"30-те букви на българската азбука.",
         u"Вашето: Я - 3 = 31 - 3 = 28 -> Ь"},
        {&cyrillic, Direction::kDecrypt, u"ГДЕЖ", 3, u"ВГДЕ",
         u"Изглежда, че сте използвали ключ 1 вместо 3.", u"Вашето: Г - 1 = 3 - 1 = 2 -> В"},
        // Nine in ten letters shifted back, one slip: named. A right letter the direction
        // would have changed: not. Letters no one cause makes: not.
        {&latin, Direction::kEncrypt, u"ABCDEFGHIJ", 3, u"XYZABCDEFQ",
         u"Изглежда, че сте изместили назад вместо напред.", u"Вашето: A - 3 = 65 + 23 = 88 -> X"},
        {&latin, Direction::kEncrypt, u"ABCDE", 3, u"XYZAH", {}, {}},
        {&latin, Direction::kEncrypt, u"ABCD", 3, u"XYZQ", {}, {}},  // three in four
        {&latin, Direction::kEncrypt, u"AXB", 3, u"DBE",             // the one letter past Z
         u"Изглежда, че сте сбъркали там, където се минава след Z: след Z се продължава от A.",
         u"Вашето: X + 3 = 88 + 3 = 91 - 25 = 66 -> B"},
        {&cyrillic, Direction::kEncrypt, u"ДДА", 3, u"ЖЖГ",
         u"Изглежда, че сте номерирали буквите като в руската азбука (33 букви, с Ё, Ы и Э), а не "
         u"по 30-те букви на българската азбука.",
         u"Вашето: Д + 3 = 4 + 3 = 7 -> Ж"},
        {&latin, Direction::kEncrypt, u"HELLO", 3, u"QWERT", {}, {}},
        {&latin, Direction::kEncrypt, u"HELLO", 3, u"KHOOX", {}, {}},
    };
    for (const auto& c : cases) {
        const auto found = Diagnosed(c.answer, c.from, c.key, c.direction, *c.alphabet);
        EXPECT_EQ(found ? found->sentence : u"", c.sentence)
            << std::string(c.from.begin(), c.from.end());
        EXPECT_EQ(found ? found->yours : u"", c.yours);
    }
    const auto backwards = Diagnosed(u"EBIIL", u"HELLO", 3, Direction::kEncrypt, latin);
    EXPECT_EQ(backwards->right, u"Вярно: H + 3 = 72 + 3 = 75 -> K");
    EXPECT_EQ(lesson::DiagnoseKey(u"23", 3, latin)->sentence,
              u"Изглежда, че ключът ви измества в обратната посока: опитайте с 26 - 23.");
    EXPECT_FALSE(lesson::DiagnoseKey(u"5", 3, latin) || lesson::DiagnoseKey(u"29", 3, latin) ||
                 lesson::DiagnoseKey(u"99999999999", 3, latin));
}

// Wrong answers as a student in a hurry might type them: no cause should be named for them.
// The rate is printed with the count of each kind of answer.
TEST(Diagnose, AlmostNeverNamesACauseForRandomAnswers) {
    enum Made : std::uint8_t { kRandomLetters, kSlips, kRandomLength, kMade };
    std::mt19937 draw(20261210);
    for (const cipher::Alphabet* alphabet :
         {&cipher::LatinAlphabet(), &cipher::CyrillicAlphabet()}) {
        std::array<int, kMade> made{};
        std::array<int, kMade> named{};
        const auto letter = [&] { return alphabet->letters[draw() % alphabet->letters.size()]; };
        for (int trial = 0; trial < 10000; ++trial) {
            const auto kind = static_cast<lesson::ExerciseKind>(draw() % 2);
            const lesson::Exercise exercise = *lesson::MakeExercise(
                kind, static_cast<std::int32_t>(1 + draw() % 9999), *alphabet);
            const bool encrypts = kind == lesson::ExerciseKind::kEncrypt;
            const std::u16string& from = encrypts ? exercise.plainLetters : exercise.cipherLetters;
            std::u16string answer = encrypts ? exercise.cipherLetters : exercise.plainLetters;
            const auto how = static_cast<Made>(draw() % kMade);
            if (how == kSlips) {
                for (std::uint32_t slip = 0, slips = 1 + draw() % 3; slip < slips; ++slip) {
                    answer[draw() % answer.size()] = letter();
                }
            } else {
                answer.resize(how == kRandomLetters ? answer.size()
                                                    : 1 + draw() % (2 * answer.size()));
                std::generate(answer.begin(), answer.end(), letter);
            }
            const lesson::Direction direction =
                encrypts ? Direction::kEncrypt : Direction::kDecrypt;
            const lesson::AnswerCheck check =
                lesson::CheckAnswer(answer, from, exercise.key, direction, *alphabet);
            if (check.right == check.expected && check.given == check.expected) {
                continue;  // the slips made no change
            }
            ++made[how];
            named[how] += lesson::Diagnose(check, from, exercise.key, direction, *alphabet) ? 1 : 0;
        }
        const int total = made[kRandomLetters] + made[kSlips] + made[kRandomLength];
        const int wrongly = named[kRandomLetters] + named[kSlips] + named[kRandomLength];
        std::cout << "Alphabet of " << alphabet->Size() << " letters"
                  << ": a cause named for " << wrongly << " of " << total << " wrong answers ("
                  << 100.0 * wrongly / total << "%); random letters " << named[kRandomLetters]
                  << "/" << made[kRandomLetters] << ", slips " << named[kSlips] << "/"
                  << made[kSlips] << ", random length " << named[kRandomLength] << "/"
                  << made[kRandomLength] << "\n";
        EXPECT_TRUE(made[kRandomLetters] > 0 && made[kSlips] > 0 && made[kRandomLength] > 0);
        EXPECT_LT(100 * wrongly, total);
    }
}

}  // namespace

// The section says what the check found: the cause before the letters, the look-alikes read,
// a short answer's missing letters in one line, the boxes of the window's arithmetic, and
// each kind's answer with its letters spelled.
TEST(ExerciseSection, SaysTheCauseTheLookAlikesTheMissingLettersAndTheBoxes) {
    using lesson::ExerciseKind;
    lesson::ExerciseSection section;
    section.Open(ExerciseKind::kEncrypt, u"4711");
    const lesson::Exercise shown = section.Current();
    std::u16string backwards;
    for (const char16_t letter : shown.plainLetters) {
        backwards += cipher::LatinAlphabet().Shifted(letter, -shown.key);
    }
    section.Check(backwards, u"");
    EXPECT_NE(section.Announcement().find(u". Изглежда, че сте изместили назад"),
              std::u16string::npos);

    // The longest English text to break has 100 letters: its last is the 100th, "100-тна".
    std::int32_t number = 1;
    while (lesson::MakeExercise(ExerciseKind::kFindKey, number)->plainLetters.size() < 100) {
        ++number;
    }
    section.Open(ExerciseKind::kFindKey, cipher::DecimalText(number));
    const lesson::Exercise found = section.Current();
    const std::u16string& letters = found.plainLetters;
    section.Check(std::u16string{letters[2], letters[8], letters[11], letters[13], letters[37]},
                  cipher::DecimalText(found.key));
    EXPECT_EQ(section.MissingNote(),
              u"Липсват 95 букви: от 1-ва до 2-ра, от 4-та до 8-ма, от "
              u"10-та до 11-та, 13-та, от 15-та до 37-ма, от 39-та до "
              u"100-тна.");
    EXPECT_EQ(section.LetterCheck().marks.size(), 5U);
    EXPECT_EQ(section.HintsUsed(), u"Използвани подсказки: 0 от 3");
    section.Check(letters, cipher::DecimalText(26 - found.key));
    EXPECT_EQ(section.Diagnosed()->sentence.rfind(u"Изглежда, че ключът ви измества", 0), 0U);
    EXPECT_TRUE(section.LetterCheck().marks.empty());

    section.Open(ExerciseKind::kDecrypt, u"7", cipher::CyrillicAlphabet());
    std::u16string lookAlikes = section.Current().plainLetters;
    std::replace(lookAlikes.begin(), lookAlikes.end(), u'А', u'A');
    std::replace(lookAlikes.begin(), lookAlikes.end(), u'О', u'O');
    section.Check(lookAlikes, u"");
    EXPECT_EQ(section.Verdict().rfind(u"Вярно! ", 0), 0U);
    EXPECT_NE(section.Verdict().find(u"„A“ (латинска) е прочетена като „А“."),
              std::u16string::npos);

    section.Open(ExerciseKind::kCalculate, u"1");
    const lesson::Calculation calculation = lesson::CalculationOf(section.Current());
    std::u16string boxes;
    for (const lesson::CalculationBox& box : calculation.boxes) {
        boxes += (boxes.empty() ? u"" : u";") + box.expected;
    }
    // An empty box is not given away by its reason; a wrong one gets it.
    section.Check(boxes.substr(boxes.find(u';')), u"");
    EXPECT_EQ(section.Announcement().find(calculation.boxes[0].reason), std::u16string::npos);
    std::u16string firstWrong(1, u'0');
    firstWrong.append(boxes, boxes.find(u';'));
    section.Check(firstWrong, u"");
    EXPECT_NE(section.Announcement().find(calculation.boxes[0].name + u": " +
                                          calculation.boxes[0].reason),
              std::u16string::npos);
    section.Check(boxes, u"");
    EXPECT_TRUE(section.Solved());

    const struct {
        ExerciseKind kind;
        std::u16string said;
    } answers[] = {
        {ExerciseKind::kEncrypt, u"Отговорът: " + lesson::SpelledLetters(shown.cipherLetters)},
        {ExerciseKind::kDecrypt,
         u"Отговорът: " + lesson::MakeExercise(ExerciseKind::kDecrypt, 1)->plain},
        {ExerciseKind::kFindKey,
         u"Отговорът: ключ " + cipher::DecimalText(found.key) + u": " + found.plain},
        {ExerciseKind::kCalculate, u"Отговорът: " + lesson::CalculationAnswer(section.Current())},
    };
    for (const auto& [kind, said] : answers) {
        section.Open(kind, cipher::DecimalText(kind == ExerciseKind::kFindKey   ? number
                                               : kind == ExerciseKind::kEncrypt ? 4711
                                                                                : 1));
        section.Reveal();
        EXPECT_EQ(section.Announcement(), said);
    }
}
