// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/breaking.h"
#include "cipher/latin_capitals.h"
#include "cipher/tests/bulgarian_prose.h"
#include "cipher/tests/log_lines.h"

namespace {

// Plain English prose, written for this test: letters as a reader meets them, not a list.
constexpr char16_t kProse[] =
    u"On the first cold morning of the winter the old ferry left the harbour later than usual. "
    u"The captain stood by the wheel and watched the fog lift slowly from the water, while the "
    u"passengers drank hot tea and talked about the storm that had kept them awake most of the "
    u"night. A small boy asked his grandmother why the sea looked grey when the sky above it "
    u"was already turning blue, and she told him that the water remembers the weather of the "
    u"day before. Nobody on the deck believed her, but nobody wanted to argue either. When the "
    u"island came into view the engines slowed, the gulls gathered behind the boat, and a "
    u"sailor began to coil the heavy ropes near the bow. People picked up their bags, buttoned "
    u"their coats and waited in a patient line by the rail. The harbour master waved from the "
    u"end of the pier, a bell rang twice in the village, and the long journey was over at last. "
    u"Later that afternoon the teacher of the village school gave her pupils a riddle. She wrote "
    u"a short message on the board in which every letter had been moved three places along the "
    u"alphabet, and she asked them to find out what it said before the end of the lesson. Most "
    u"of the children tried one key after another until the words made sense, but one quiet "
    u"girl counted the letters instead and noticed that one of them appeared far more often "
    u"than the rest. She guessed that it stood for the letter that is most common in English "
    u"writing, and within a minute she had the whole sentence. The teacher smiled and explained "
    u"that this was exactly why such a simple cipher could never keep a real secret for long.";

std::u16string Shifted(const std::u16string& letters, std::int32_t offset,
                       const cipher::Alphabet& alphabet = cipher::LatinAlphabet()) {
    std::u16string shifted(letters.size(), u' ');
    std::transform(letters.begin(), letters.end(), shifted.begin(),
                   [&](char16_t letter) { return alphabet.Shifted(letter, offset); });
    return shifted;
}

TEST(BreakCipher, CountsTheLettersCalculateWouldKeep) {
    const struct {
        std::u16string text, letters;
        std::vector<std::pair<char16_t, int>> counts;
    } cases[] = {
        {u"Hello, World!", u"HELLOWORLD", {{u'L', 3}, {u'O', 2}, {u'H', 1}, {u'Z', 0}}},
        {u"\u0131\u017F \u0416 \u00DF zZ", u"ISZZ", {{u'I', 1}, {u'S', 1}, {u'Z', 2}}},
        {u"", u"", {{u'A', 0}}},
        {u"12 345 \u0416\u0436 .,", u"", {{u'A', 0}, {u'Z', 0}}},
    };
    for (const auto& c : cases) {
        const cipher::BreakResult result = cipher::BreakCipher(c.text);
        EXPECT_EQ(result.letters, c.letters);
        for (const auto& [letter, count] : c.counts) {
            EXPECT_EQ(result.counts[static_cast<std::size_t>(letter - u'A')], count)
                << char(letter);
        }
        EXPECT_EQ(result.trials.size(), c.letters.empty() ? 0U : 25U);
    }
}

TEST(BreakCipher, RanksEveryOffsetOnceAndTheTrueOneFirst) {
    const std::u16string letters = cipher::LatinCapitals(kProse);
    for (const std::int32_t offset : {1, 3, 13, 25}) {
        const cipher::BreakResult result = cipher::BreakCipher(Shifted(letters, offset));
        ASSERT_EQ(result.trials.size(), 25U);
        EXPECT_EQ(result.trials[0].offset, offset);
        EXPECT_EQ(result.trials[0].decoded, letters);
        std::vector<bool> seen(26);
        for (std::size_t i = 0; i < result.trials.size(); ++i) {
            seen[static_cast<std::size_t>(result.trials[i].offset)] = true;
            if (i > 0) {
                EXPECT_LE(result.trials[i - 1].score, result.trials[i].score);
            }
        }
        EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), true), 25);
    }
}

TEST(DecryptionTrace, WritesEachLetterWithTheWindowsDecodeArithmetic) {
    const struct {
        std::u16string letters;
        std::int32_t offset;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"D", 3, {u"Дължина на шифрирания текст и отместване: 1:3", u"D - 3 = 68 - 3 = 65 -> A"}},
        {u"BC",
         3,
         {u"Дължина на шифрирания текст и отместване: 2:3", u"B - 3 = 66 + 23 = 89 -> Y",
          u"C - 3 = 67 + 23 = 90 -> Z"}},
        {u"AB",
         1,
         {u"Дължина на шифрирания текст и отместване: 2:1", u"A - 1 = 65 + 25 = 90 -> Z",
          u"B - 1 = 66 - 1 = 65 -> A"}},
        {u"ZY",
         25,
         {u"Дължина на шифрирания текст и отместване: 2:25", u"Z - 25 = 90 - 25 = 65 -> A",
          u"Y - 25 = 89 + 1 = 90 -> Z"}},
        {u"", 7, {u"Дължина на шифрирания текст и отместване: 0:7"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogLines(cipher::DecryptionTrace(c.letters, c.offset)), c.lines);
    }
}

// The share of windows of the prose, encrypted with every key, whose likeliest offset is the
// key.
double ShareFoundRight(std::size_t window,
                       const cipher::Alphabet& alphabet = cipher::LatinAlphabet(),
                       std::u16string_view prose = kProse) {
    const std::u16string letters = alphabet.Reduce(prose);
    int right = 0;
    int all = 0;
    for (std::size_t start = 0; start + window <= letters.size(); start += 3) {
        const std::u16string plain = letters.substr(start, window);
        for (std::int32_t offset = 1; offset < alphabet.Size(); ++offset) {
            const std::u16string encrypted = Shifted(plain, offset, alphabet);
            right += cipher::BreakCipher(encrypted, alphabet).trials[0].offset == offset ? 1 : 0;
            ++all;
        }
    }
    std::printf("%zu-letter windows: %d of %d found right (%.1f%%)\n", window, right, all,
                100.0 * right / all);
    return static_cast<double>(right) / all;
}

TEST(BreakCipher, FindsTheKeyOfShortEnglishWindows) {
    EXPECT_GE(ShareFoundRight(50), 0.99);
    EXPECT_GE(ShareFoundRight(20), 0.90);
}

TEST(BreakCipher, FindsTheKeyOfShortBulgarianWindows) {
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    EXPECT_GE(ShareFoundRight(50, cyrillic, kBulgarianProse), 0.99);
    EXPECT_GE(ShareFoundRight(20, cyrillic, kBulgarianProse), 0.90);
}

TEST(CyrillicAlphabet, KeepsTheThirtyBulgarianCapitals) {
    const struct {
        std::u16string text, letters;
    } cases[] = {
        {u"Здравей, свят!", u"ЗДРАВЕЙСВЯТ"},
        {u"абвгдежзийклмнопрстуфхцчшщъьюя", u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"},
        {u"Ѝ ѝ И, ЫыЭэЁёЇєҐў Latin ABC 123", u"ИИИ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cipher::CyrillicAlphabet().Reduce(c.text), c.letters);
    }
}

// Each line true as written, the wrap past Я and below А spelt out.
TEST(AlphabetTrace, WritesLinesOnPlacesWithTheWrap) {
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        bool encode;
        char16_t letter;
        std::int32_t key;
        std::u16string line;
    } cases[] = {
        {true, u'Ж', 3, u"Ж + 3 = 6 + 3 = 9 -> Й"},
        {true, u'Ю', 3, u"Ю + 3 = 28 + 3 = 31 - 30 = 1 -> Б"},
        {true, u'А', 29, u"А + 29 = 0 + 29 = 29 -> Я"},
        {false, u'Й', 3, u"Й - 3 = 9 - 3 = 6 -> Ж"},
        {false, u'Б', 3, u"Б - 3 = 1 - 3 = -2 + 30 = 28 -> Ю"},
        // A key past the size is taken modulo it; a character not in the alphabet has no line.
        {true, u'Ю', 63, u"Ю + 3 = 28 + 3 = 31 - 30 = 1 -> Б"},
        {false, u'Б', -27, u"Б - 3 = 1 - 3 = -2 + 30 = 28 -> Ю"},
        {false, u'Б', 30, u"Б + 0 = 1 + 0 = 1 -> Б"},
        {true, u'Ы', 3, u""},
        {false, u'Z', 3, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.encode ? cipher::EncodeLine(cyrillic, c.letter, c.key)
                           : cipher::DecryptionLine(cyrillic, c.letter, c.key),
                  c.line);
    }
    EXPECT_EQ(cyrillic.Shifted(u'Ы', 3), u'Ы');
    EXPECT_EQ(LogLines(cipher::CipherTrace(cyrillic, u"Я", 1)),
              (std::vector<std::u16string>{
                  u"Дължина на въведената фраза и ключ: 1:1",
                  u"Шифрирам, като събирам номерата на буквите в азбуката с ключа:",
                  u"Я + 1 = 29 + 1 = 30 - 30 = 0 -> А", u"Дешифрирам обратно, като изваждам ключа:",
                  u"А - 1 = 0 - 1 = -1 + 30 = 29 -> Я"}));
}

}  // namespace
