// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "cipher/alphabet.h"
#include "lesson/caesar/break_section.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/spelled_letters.h"
#include "lesson/vigenere/vigenere_break.h"
#include "lesson/vigenere/vigenere_section.h"

namespace {

using lesson::BreakSection;

TEST(BreakSection, NotesTextsWithoutLettersOrWithTooFew) {
    const struct {
        std::u16string text;
        std::size_t rows;
        std::u16string message, announcementStart;
    } cases[] = {
        {u"", 0, u"Няма латински букви (A–Z) в текста: няма какво да се разбие.",
         u"Няма латински букви"},
        {u"123 Жж ?!", 0, u"Няма латински букви (A–Z) в текста: няма какво да се разбие.",
         u"Няма латински букви"},
        {u"e", 25,
         u"Текстът има само 1 буква. При толкова кратък текст честотите на буквите "
         u"често подвеждат: проверете и другите отмествания.",
         u"Най-вероятно отместване: "},
        {u"KHOOR ZRUOG", 25,
         u"Текстът има само 10 букви. При толкова кратък текст честотите на "
         u"буквите често подвеждат: проверете и другите отмествания.",
         u"Най-вероятно отместване: "},
        {u"Wkh vhfuhw phhwlqj lv dw qrrq wrgdb", 25, u"",
         u"Най-вероятно отместване: 3. Текст: T, H, E, S, E, C, R, E, T, M, E, E, T, I, N, G, I, "
         u"S, A, T, N, O, O, N, T, O, D, A, Y"},
    };
    for (const auto& c : cases) {
        BreakSection section;
        EXPECT_FALSE(section.Tried());
        section.Break(c.text);
        EXPECT_TRUE(section.Tried());
        EXPECT_EQ(section.Rows(), c.rows);
        EXPECT_EQ(section.Trace().empty(), c.rows == 0);
        EXPECT_EQ(section.Message(), c.message);
        EXPECT_EQ(section.Announcement().rfind(c.announcementStart, 0), 0U)
            << std::string(section.Announcement().begin(), section.Announcement().end());
        // The note is said too, after the outcome.
        const std::u16string tail = c.rows > 0 && !c.message.empty() ? u". " + c.message : u"";
        EXPECT_EQ(section.Announcement().size() >= tail.size() &&
                      section.Announcement().compare(section.Announcement().size() - tail.size(),
                                                     tail.size(), tail) == 0,
                  true);
        if (c.message.empty()) {
            EXPECT_EQ(section.Announcement(), c.announcementStart);
        }
    }
}

TEST(BreakSection, BreaksOnlyUpToTheCap) {
    BreakSection section;
    const auto cap = static_cast<std::size_t>(lesson::kCiphertextCap);
    section.Break(std::u16string(cap, u'B') + u"CCCC");
    EXPECT_EQ(section.Count(1), lesson::kCiphertextCap);
    EXPECT_EQ(section.Count(2), 0);
    EXPECT_EQ(section.Decoded(0).size(), BreakSection::kDecodedShown);
}

TEST(BreakSection, ShowsScoresExpectationsAndTheChosenTrace) {
    BreakSection section;
    section.Break(u"Wkh vhfuhw phhwlqj lv dw qrrq wrgdb");
    ASSERT_EQ(section.Rows(), 25U);
    EXPECT_EQ(section.Chosen(), 0U);
    EXPECT_EQ(section.Offset(0), 3);
    // E, the commonest English letter, shows as H under offset 3: 12.702% of 29 letters.
    EXPECT_EQ(section.ExpectedText(u'H' - u'A'), u"3,7");
    double expected = 0;
    for (std::size_t letter = 0; letter < 26; ++letter) {
        expected += section.Expected(letter);
    }
    EXPECT_NEAR(expected, 29, 0.01);
    for (std::size_t row = 0; row < section.Rows(); ++row) {
        const std::u16string& score = section.Score(row);
        ASSERT_GE(score.size(), 4U);
        EXPECT_EQ(score[score.size() - 3], u',') << row;
    }

    section.Choose(24);
    EXPECT_EQ(section.Chosen(), 24U);
    const std::u16string chosen = section.Trace();
    section.Choose(25);
    EXPECT_EQ(section.Chosen(), 24U);
    EXPECT_EQ(section.Trace(), chosen);
}

// "EEE" by hand: under offset m the three E's are read as the plain letter p = E - m, so the
// count expected at E is e_E = 3 s_p / 100 (s in percent), and every other letter is absent.
// So chi-squared = sum (n - e)^2 / e = 9 / e_E - 2 * 3 + sum e = 300 / s_p - 6 + 3 * 0.99999,
// the shares summing to 99.999. Likeliest: p = T (9.056), m = 11: 300 / 9.056 - 3.00003 =
// 30.1272; next p = A (8.167), m = 4: 300 / 8.167 - 3.00003 = 33.7332.
TEST(BreakSection, ScoresByChiSquaredAndTracesTheChosenRow) {
    BreakSection section;
    section.Break(u"eee");
    ASSERT_EQ(section.Rows(), 25U);
    EXPECT_EQ(section.Offset(0), 11);
    EXPECT_EQ(section.Score(0), u"30,13");
    EXPECT_EQ(section.Offset(1), 4);
    EXPECT_EQ(section.Score(1), u"33,73");
    section.Choose(1);
    EXPECT_EQ(section.Trace(),
              u"Дължина на шифрирания текст и отместване: 3:4\n"
              u"E - 4 = 69 - 4 = 65 -> A\nE - 4 = 69 - 4 = 65 -> A\n"
              u"E - 4 = 69 - 4 = 65 -> A\n");
    EXPECT_EQ(BreakSection::DecodedHeading(), u"Дешифриран текст (първите 60 букви)");
}

// The same section on Bulgarian: 29 keys and Bulgarian frequencies.
TEST(BreakSection, BreaksBulgarianWithBulgarianFrequencies) {
    BreakSection section;
    section.Break(u"Hello, world", cipher::CyrillicAlphabet());
    EXPECT_EQ(section.Message(),
              u"Няма букви на кирилица (А–Я) в текста: няма какво да се разбие.");
    // "Всеки ден научаваме нещо ново за света около нас." encrypted with 3.
    section.Break(u"Ефинл зир ргцъгегпи риюс рсес кг феихг снсос ргф.", cipher::CyrillicAlphabet());
    EXPECT_EQ(section.Rows(), 29U);
    EXPECT_EQ(section.Announcement(),
              u"Най-вероятно отместване: 3. Текст: В, С, Е, К, И, Д, Е, Н, Н, А, У, Ч, А, В, А, "
              u"М, Е, Н, Е, Щ, О, Н, О, В, О, З, А, С, В, Е и още 10 букви");
    EXPECT_EQ(section.Comparison(),
              u"Честотите за сравнение са от български текст (Стефанов и Бирданова, 1997).");
    EXPECT_EQ(section.ExpectedHeading(), u"В български текст");
    EXPECT_EQ(section.Trace().substr(section.Trace().find(u'\n') + 1, 23),
              u"Е - 3 = 5 - 3 = 2 -> В\n");
}

}  // namespace

// What the section with a key word says of what was typed, and what a screen reader hears.
TEST(VigenereSection, NotesWhatWasDroppedAndTheCaesarKeyWord) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        cipher::Direction direction;
        const cipher::Alphabet& alphabet;
        std::u16string text, keyWord, result, keyRow, message;
    } cases[] = {
        {cipher::Direction::kEncrypt, latin, u"Attack at dawn", u"lemon", u"LXFOPVEFRNHR",
         u"LEMONLEMONLE", u""},
        {cipher::Direction::kDecrypt, cyrillic, u"ИГСЯГДК!", u"БЯ", u"ЗДРАВЕЙ", u"БЯБЯБЯБ", u""},
        {cipher::Direction::kEncrypt, latin, u"Hi Жё 5", u"b-b", u"IJ", u"BB",
         u"Пропуснати букви, които не са в избраната азбука: 2. Ключовата дума е взета без "
         u"знаците, които не са латински букви (A–Z): BB."},
        {cipher::Direction::kEncrypt, latin, u"XYZ", u"d", u"ABC", u"DDD",
         u"Ключова дума от една буква е шифърът на Цезар: всяка буква се измества с 3 (D)."},
        {cipher::Direction::kEncrypt, latin, u"ABC", u"123", u"", u"",
         u"Няма латински букви (A–Z) в ключовата дума."},
        {cipher::Direction::kEncrypt, cyrillic, u"ABC", u"ключ", u"", u"",
         u"Няма букви на кирилица (А–Я) в текста."},
    };
    for (const auto& c : cases) {
        lesson::VigenereSection section;
        section.Calculate(c.direction, c.text, c.keyWord, c.alphabet);
        EXPECT_EQ(section.Result(), c.result);
        EXPECT_EQ(section.KeyRow(), c.keyRow);
        EXPECT_EQ(section.KeyRowSaid(), lesson::SpelledLetters(c.keyRow));
        EXPECT_EQ(section.LettersSaid(), lesson::SpelledLetters(section.Letters()));
        EXPECT_EQ(section.Message(), c.message);
        EXPECT_EQ(section.Announcement().starts_with(u"Резултат: "), !c.result.empty());
        EXPECT_EQ(section.Letters().size(), c.result.size());
    }
    lesson::VigenereSection section;
    section.Calculate(cipher::Direction::kEncrypt, std::u16string(600, u'a'),
                      std::u16string(30, u'b'), latin);
    EXPECT_EQ(section.Result(), std::u16string(lesson::VigenereSection::kTextCap, u'B'));
    EXPECT_EQ(section.Trace().substr(0, 43), u"Дължина на текста и ключова дума: 500:BBBBB");
}

// A text broken with a key word: the length, the key word, its letters changed, and the notes.
TEST(VigenereBreak, FindsTheLengthAndKeyWordAndTakesTheStudentsLetters) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    lesson::VigenereBreak section;
    section.Break(u"123 Жж", latin);
    EXPECT_FALSE(section.Broken());
    EXPECT_EQ(section.Message(), u"Няма латински букви (A–Z) в текста: няма какво да се разбие.");
    EXPECT_EQ(section.GroupsNote(), u"Няма групи от 3 или повече букви, които се повтарят.");
    section.ChooseLength(3);
    EXPECT_EQ(section.Length(), 0);
    EXPECT_EQ(section.ColumnHeading(), u"");
    section.Break(u"ABCXABCYABC", latin);
    EXPECT_EQ(section.GroupsNote(), u"");
    section.Break(u"LXFOPVEFRNHR", latin);
    EXPECT_EQ(
        section.Message(),
        u"Текстът има само 12 букви. При по-малко от 150 букви ключовата дума често се намира "
        u"грешно: проверете дължината и буквите на колоните.");

    const std::u16string plain =
        u"THEREISNOTHINGMOREDECEPTIVETHANANOBVIOUSFACTANDTHELITTLETHINGSAREINFINITELYTHEMOST"
        u"IMPORTANTWHENYOUHAVEELIMINATEDTHEIMPOSSIBLEWHATEVERREMAINSHOWEVERIMPROBABLEMUSTBETHE"
        u"TRUTHIT";
    section.Break(cipher::KeyWordShifted(latin, plain, u"LEMON", cipher::Direction::kEncrypt),
                  latin);
    EXPECT_EQ(section.LikeliestLength(), 5);
    EXPECT_EQ(section.KeyWord(), u"LEMON");
    EXPECT_EQ(section.Decrypted(), plain);
    EXPECT_EQ(section.LengthChoice(5), u"5 (най-вероятна)");
    EXPECT_EQ(section.LanguageCoincidenceText(), u"0,065");
    EXPECT_EQ(section.ColumnHeading(),
              u"Колона 1 от 5. Букви в нея: 35; всички са шифрирани с една и съща буква на "
              u"ключа.");
    EXPECT_TRUE(section.Announcement().starts_with(
        u"Най-вероятна дължина на ключа: 5. Намерена ключова дума: L, E, M, O, N. Текст: T, H"));
    EXPECT_EQ(section.Message(), u"");

    section.ChooseLetter(1, u'F');
    EXPECT_EQ(section.KeyWord(), u"LFMON");
    EXPECT_EQ(section.ShownColumn(), 1);
    EXPECT_EQ(section.Decrypted().substr(0, 3), u"TGE");
    EXPECT_EQ(section.Column().Offset(section.Column().Chosen()), 5);
    EXPECT_EQ(section.ColumnRowName(section.Column().Chosen()), u"F (5)");
    EXPECT_EQ(section.Trace().substr(section.Trace().find(u'\n', 60) + 1, 29),
              u"E - L(11) = 4 - 11 = -7 + 26 ");
    for (const auto& [column, letter] : {std::pair{5, u'A'}, {-1, u'A'}, {0, u'ж'}}) {
        section.ChooseLetter(column, letter);
        EXPECT_EQ(section.KeyWord(), u"LFMON");
    }
    section.ShowColumn(7);
    EXPECT_EQ(section.ShownColumn(), 1);
    section.ChooseLength(10);
    EXPECT_EQ(section.KeyWord(), u"LEMONLEMON");
    section.ChooseLength(13);
    EXPECT_EQ(section.Length(), 10);
    // Letters drawn at random repeat groups by chance: a thousand, more than the table shows.
    std::u16string drawn;
    for (std::uint32_t x = 1; drawn.size() < 1000;) {
        x = x * 1103515245U + 12345U;
        drawn += static_cast<char16_t>(u'A' + (x >> 16U) % 26);
    }
    section.Break(drawn, latin);
    EXPECT_EQ(section.Groups().size(), lesson::VigenereBreak::kGroupsShown);
    EXPECT_TRUE(section.GroupsNote().starts_with(u"Показани са първите 12 от "));
}
