// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "cipher/alphabet.h"
#include "lesson/break_section.h"
#include "lesson/field_caps.h"

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
        section.Break(c.text);
        EXPECT_EQ(section.Rows(), c.rows);
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
