// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/tests/key_word_prose.h"
#include "cipher/tests/log_lines.h"
#include "cipher/vigenere.h"
#include "cipher/vigenere_breaking.h"
#include "lesson/text/key_words.h"

namespace {

using cipher::Direction;

TEST(KeyWordShifted, EncryptsAndDecryptsLetterByLetter) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        const cipher::Alphabet& alphabet;
        std::u16string plain, keyWord, encrypted;
    } cases[] = {
        {latin, u"ATTACKATDAWN", u"LEMON", u"LXFOPVEFRNHR"},
        // On places, Б = 1 and Я = 29: З 7 + 1 = 8 И, Д 4 + 29 = 33 - 30 = 3 Г, Р 16 + 1 = 17 С,
        // А 0 + 29 = 29 Я, В 2 + 1 = 3 Г, Е 5 + 29 = 34 - 30 = 4 Д, Й 9 + 1 = 10 К.
        {cyrillic, u"ЗДРАВЕЙ", u"БЯ", u"ИГСЯГДК"},
        {latin, u"", u"KEY", u""},
        {latin, u"ABC", u"", u"ABC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyWordShifted(c.alphabet, c.plain, c.keyWord, Direction::kEncrypt), c.encrypted);
        EXPECT_EQ(KeyWordShifted(c.alphabet, c.encrypted, c.keyWord, Direction::kDecrypt), c.plain);
    }
    // One key letter is the Caesar cipher by its place.
    for (const cipher::Alphabet* alphabet : {&latin, &cyrillic}) {
        std::u16string caesar;
        for (const char16_t letter : alphabet->letters) {
            caesar += alphabet->Shifted(letter, 5);
        }
        EXPECT_EQ(KeyWordShifted(*alphabet, alphabet->letters, alphabet->letters.substr(5, 1),
                                 Direction::kEncrypt),
                  caesar);
    }
    EXPECT_EQ(cipher::KeyWordRow(u"LEMON", 12), u"LEMONLEMONLE");
    EXPECT_EQ(cipher::KeyWordRow(u"LEMON", 3), u"LEM");
    EXPECT_EQ(cipher::KeyWordRow(u"", 3), u"");
}

TEST(KeyWordTrace, NamesTheKeyLetterAndWritesTheWrap) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const std::u16string encrypting =
        u"Шифрирам, като към номера на всяка буква прибавям номера на буквата от ключовата дума "
        u"под нея:";
    const std::u16string decrypting =
        u"Дешифрирам, като от номера на всяка буква изваждам номера на буквата от ключовата дума "
        u"под нея:";
    EXPECT_EQ(
        LogLines(cipher::KeyWordTrace(latin, u"HY", u"L", Direction::kEncrypt)),
        (std::vector<std::u16string>{
            u"Дължина на текста и ключова дума: 2:L", encrypting, u"H + L(11) = 7 + 11 = 18 -> S",
            u"Y + L(11) = 24 + 11 = 35 - 26 = 9 -> J", u"Дешифрирам обратно, като изваждам:",
            u"S - L(11) = 18 - 11 = 7 -> H", u"J - L(11) = 9 - 11 = -2 + 26 = 24 -> Y"}));
    EXPECT_EQ(LogLines(cipher::KeyWordDecryptionTrace(latin, u"LXF", u"LEMON")),
              (std::vector<std::u16string>{u"Дължина на текста и ключова дума: 3:LEMON", decrypting,
                                           u"L - L(11) = 11 - 11 = 0 -> A",
                                           u"X - E(4) = 23 - 4 = 19 -> T",
                                           u"F - M(12) = 5 - 12 = -7 + 26 = 19 -> T"}));
    EXPECT_EQ(cipher::KeyWordLine(latin, u'Ж', u'L', Direction::kEncrypt), u"");
    EXPECT_EQ(cipher::KeyWordLine(latin, u'A', u'1', Direction::kEncrypt), u"");
}

// Worked by hand: A, B and C come three times each in 11 letters, X and Y once, so the chance
// of a pair alike is 3 * (3 * 2) / (11 * 10) = 18 / 110. In four columns, three hold one letter
// three times (1 each) and the fourth X and Y (0): 3 / 4.
TEST(BreakKeyWord, CountsCoincidencesAndRepeatedGroups) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::KeyWordBreak abc = cipher::BreakKeyWord(u"abcx ABCY abc", latin);
    ASSERT_EQ(abc.coincidences.size(), 12U);
    EXPECT_DOUBLE_EQ(abc.coincidences[0], 18.0 / 110);
    EXPECT_DOUBLE_EQ(abc.coincidences[3], 0.75);
    EXPECT_DOUBLE_EQ(cipher::Coincidence({1, 0}), 0);
    // THEDOG comes twice, 12 apart; THE three times, 6 apart. HEDOG, EDO and the rest are
    // parts of those, and CAT comes once.
    const struct {
        std::u16string text;
        std::vector<cipher::RepeatedGroup> groups;
    } cases[] = {
        {u"THEDOGTHECATTHEDOG",
         {{u"THEDOG", {0, 12}, {12}, {2, 3, 4, 6, 12}}, {u"THE", {0, 6, 12}, {6, 6}, {2, 3, 6}}}},
        {u"ABCXABCYABC", {{u"ABC", {0, 4, 8}, {4, 4}, {2, 4}}}},
        // Reached back and forth from two of its places where THE, more often, breaks it: once.
        {u"THECATANDTHEDOGQQTHECATANDTHEDOG",
         {{u"THECATANDTHEDOG", {0, 17}, {17}, {}}, {u"THE", {0, 9, 17, 26}, {9, 8, 9}, {}}}},
        {u"AAAAA", {{u"AAA", {0, 1, 2}, {1, 1}, {}}}},
        {u"ABCAB", {}},
        {u"ABC", {}},
    };
    for (const auto& c : cases) {
        const std::vector<cipher::RepeatedGroup> groups =
            cipher::BreakKeyWord(c.text, latin).groups;
        ASSERT_EQ(groups.size(), c.groups.size()) << std::string(c.text.begin(), c.text.end());
        for (std::size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(groups[i].letters, c.groups[i].letters);
            EXPECT_EQ(groups[i].places, c.groups[i].places);
            EXPECT_EQ(groups[i].distances, c.groups[i].distances);
            EXPECT_EQ(groups[i].divisors, c.groups[i].divisors);
        }
    }
}

// Windows of the prose, every 37th letter on, each encrypted with the next of the program's
// key words: the share whose key word is found whole.
double ShareFound(const cipher::Alphabet& alphabet, std::u16string_view prose, std::size_t window,
                  const std::vector<std::u16string>& keyWords) {
    const std::u16string letters = alphabet.Reduce(prose);
    std::map<std::size_t, int> byLength;
    int found = 0;
    int all = 0;
    for (std::size_t start = 0; start + window <= letters.size(); start += 37, ++all) {
        const std::u16string& keyWord =
            keyWords[static_cast<std::size_t>(all) * 7 % keyWords.size()];
        ++byLength[keyWord.size()];
        const std::u16string encrypted =
            KeyWordShifted(alphabet, letters.substr(start, window), keyWord, Direction::kEncrypt);
        const cipher::KeyWordBreak broken = cipher::BreakKeyWord(encrypted, alphabet);
        found += broken.keyWords[static_cast<std::size_t>(broken.length - 1)] == keyWord ? 1 : 0;
    }
    std::printf("%zu letters: key word found in %d of %d (%.1f%%); key words of", window, found,
                all, 100.0 * found / all);
    for (const auto& [length, count] : byLength) {
        std::printf(" %zu letters: %d,", length, count);
    }
    std::printf("\n");
    EXPECT_EQ(byLength.size(), 6U) << "every length from 3 to 8";
    return static_cast<double>(found) / all;
}

TEST(BreakKeyWord, FindsTheKeyWordOfEnglishAndBulgarianProse) {
    std::vector<std::u16string> english(lesson::EnglishKeyWords().size());
    std::transform(lesson::EnglishKeyWords().begin(), lesson::EnglishKeyWords().end(),
                   english.begin(),
                   [](std::string_view word) { return std::u16string(word.begin(), word.end()); });
    const std::vector<std::u16string> bulgarian(lesson::BulgarianKeyWords().begin(),
                                                lesson::BulgarianKeyWords().end());
    for (const auto& [alphabet, prose, keyWords] :
         {std::tuple{&cipher::LatinAlphabet(), std::u16string_view(kEnglishStoryProse), english},
          std::tuple{&cipher::CyrillicAlphabet(), std::u16string_view(kBulgarianStoryProse),
                     bulgarian}}) {
        EXPECT_GE(ShareFound(*alphabet, prose, 300, keyWords), 0.95);
        EXPECT_GE(ShareFound(*alphabet, prose, 150, keyWords), 0.80);
    }
}

}  // namespace
