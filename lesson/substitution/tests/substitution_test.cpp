// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/substitution/letter_pairs.h"
#include "lesson/substitution/substitution_breaking.h"
#include "lesson/substitution/substitution_section.h"
#include "lesson/substitution/substitution_solving.h"
#include "lesson/text/language.h"

namespace {

// Prose the letter pairs were not counted from, in capitals, with what is not a letter kept.
std::u16string UnseenProse(const cipher::Alphabet& alphabet, const char* name) {
    std::ifstream file(std::string(UNSEEN_PROSE) + name, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char16_t c = byte;
        if (byte >= 0xC0 && i + 1 < bytes.size()) {
            c = static_cast<char16_t>(((byte & 0x1F) << 6) | (bytes[++i] & 0x3F));
        }
        const std::u16string capital = alphabet.Reduce(std::u16string_view(&c, 1));
        text.push_back(capital.empty() ? c : capital[0]);
    }
    return text;
}

// From a word's start, as many words as hold at least LETTERS letters.
std::u16string Sample(const cipher::Alphabet& alphabet, const std::u16string& prose,
                      std::size_t start, std::size_t letters) {
    start = prose.find(u' ', start) + 1;
    std::size_t end = start;
    for (std::size_t counted = 0; end < prose.size() && (counted < letters || prose[end] != u' ');
         ++end) {
        counted += alphabet.PlaceOf(prose[end]) != std::u16string::npos ? 1 : 0;
    }
    return prose.substr(start, end - start);
}

// The median share of letters right, in percent, over samples with random keys; every share
// is printed.
double MedianRight(const cipher::Alphabet& alphabet, const std::u16string& prose,
                   std::size_t letters) {
    constexpr int kSamples = 25;
    std::mt19937 random(static_cast<std::uint32_t>(letters));
    std::vector<double> shares;
    for (int sample = 0; sample < kSamples; ++sample) {
        const std::u16string plain =
            Sample(alphabet, prose, random() % (prose.size() - 4 * letters), letters);
        std::u16string key(alphabet.letters);
        std::shuffle(key.begin(), key.end(), random);
        const std::u16string encrypted =
            cipher::Substituted(alphabet, key, plain, cipher::Direction::kEncrypt);
        const std::u16string found = lesson::BreakSubstitution(alphabet, encrypted).key;
        const std::u16string decrypted =
            cipher::Substituted(alphabet, found, encrypted, cipher::Direction::kDecrypt);
        std::size_t right = 0;
        std::size_t all = 0;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            if (alphabet.PlaceOf(plain[i]) != std::u16string::npos) {
                ++all;
                right += decrypted[i] == plain[i] ? 1 : 0;
            }
        }
        shares.push_back(100.0 * static_cast<double>(right) / static_cast<double>(all));
    }
    std::sort(shares.begin(), shares.end());
    std::cout << letters << " letters, right in each sample (%):";
    for (const double share : shares) {
        std::cout << ' ' << static_cast<int>(share);
    }
    std::cout << "; median " << shares[kSamples / 2] << '\n';
    return shares[kSamples / 2];
}

TEST(SubstitutionBreaking, FindsMostLettersOfProseItNeverSaw) {
    const struct {
        const cipher::Alphabet& alphabet;
        const char* prose;
        std::size_t letters;
        double median;
    } cases[] = {
        {cipher::LatinAlphabet(), "english_unseen.txt", 600, 95},
        {cipher::LatinAlphabet(), "english_unseen.txt", 300, 95},
        {cipher::CyrillicAlphabet(), "bulgarian_unseen.txt", 1000, 90},
        {cipher::CyrillicAlphabet(), "bulgarian_unseen.txt", 300, 90},
    };
    // Every language has its pairs, the gap's too, and its short words.
    for (const lesson::Language& language : lesson::Languages()) {
        const auto symbols = static_cast<std::size_t>(language.alphabet->Size()) + 1;
        EXPECT_EQ(lesson::PairCosts(*language.alphabet).size(), symbols * symbols);
        EXPECT_EQ(std::count(lesson::ShortWords(*language.alphabet).begin(),
                             lesson::ShortWords(*language.alphabet).end(), u'|'),
                  2);
    }
    for (const auto& c : cases) {
        const std::u16string prose = UnseenProse(c.alphabet, c.prose);
        ASSERT_GT(prose.size(), 5 * c.letters) << c.prose;
        EXPECT_GE(MedianRight(c.alphabet, prose, c.letters), c.median) << c.prose;
    }
}

TEST(SubstitutionSection, KeepsTheWordsAndRefusesAKeyThatIsNoAlphabet) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const struct {
        cipher::Direction direction;
        std::u16string text, key, result, message;
    } cases[] = {
        {cipher::Direction::kEncrypt, u"Hello, world!", u"zebra", u"FAJJM, VMPJR!", u""},
        {cipher::Direction::kDecrypt, u"FAJJM", u"ZEBRACDFGHIJKLMNOPQSTUVWXY", u"HELLO", u""},
        {cipher::Direction::kEncrypt, u"ab", u"ABCDEFGHIJKLMNOPQRSTUVWXYA", u"",
         u"Ключ с 26 букви или повече е цяла азбука и всяка буква е в него точно веднъж. "
         u"Повече от веднъж: A. Липсва: Z."},
        {cipher::Direction::kEncrypt, u"ab", u"AABBCDEFGHIJKLMNOPQRSTUVWXZ", u"",
         u"Ключ с 26 букви или повече е цяла азбука и всяка буква е в него точно веднъж. "
         u"Повече от веднъж: A и B. Липсва: Y."},
        {cipher::Direction::kEncrypt, u"ab", u"7", u"", u"Няма латински букви (A–Z) в ключа."},
        {cipher::Direction::kEncrypt, u"ab", u"ze-bra", u"ZE",
         u"Ключовата дума е взета без знаците, които не са латински букви (A–Z): ZEBRA."},
        {cipher::Direction::kEncrypt, u"Жаба", u"KEY", u"", u"Няма латински букви (A–Z) в текста."},
    };
    for (const auto& c : cases) {
        lesson::SubstitutionSection section;
        section.Calculate(c.direction, c.text, c.key, latin);
        EXPECT_EQ(section.Result(), c.result) << section.Trace().size();
        EXPECT_EQ(section.Message(), c.message);
        EXPECT_EQ(section.Key().empty(), c.result.empty());
    }
    lesson::SubstitutionSection section;
    section.Calculate(cipher::Direction::kEncrypt, u"Hi", u"zebra", latin);
    EXPECT_TRUE(section.PlainSaid().starts_with(u"A, B, C") &&
                section.KeySaid().starts_with(u"Z, E, B"));
    // The key of the last text encrypted stays with its result, for solving it below.
    lesson::SubstitutionSection encrypted;
    encrypted.Calculate(cipher::Direction::kEncrypt, u"Hello, world!", u"zebra", latin);
    EXPECT_EQ(encrypted.KeyOfResult(u"fajjm, vmpjr!", latin),
              cipher::MixedAlphabet(latin, u"ZEBRA"));
    EXPECT_TRUE(encrypted.KeyOfResult(u"FAJJM", latin).empty() &&
                encrypted.KeyOfResult(u"FAJJM, VMPJR!", cipher::CyrillicAlphabet()).empty());
    encrypted.Calculate(cipher::Direction::kDecrypt, u"FAJJM", u"zebra", latin);
    EXPECT_TRUE(encrypted.KeyOfResult(u"HELLO", latin).empty());
    // Letters of another alphabet are left out and counted; signs and digits stay.
    lesson::SubstitutionSection cyrillic;
    cyrillic.Calculate(cipher::Direction::kEncrypt, u"Жаба, zebra é α × 7 Ы", u"ключ",
                       cipher::CyrillicAlphabet());
    EXPECT_EQ(cyrillic.Message(), u"Пропуснати букви, които не са в избраната азбука: 8.");
    EXPECT_EQ(cyrillic.Result(), u"ВКЛК,    × 7 ");
    EXPECT_EQ(section.Trace(),
              u"Дължина на текста и ключа: 2:ZEBRACDFGHIJKLMNOPQSTUVWXY\n"
              u"Шифрирам, като заменям всяка буква с буквата от ключа на нейното място в "
              u"азбуката:\nH (7) -> F\nI (8) -> G\n"
              u"Дешифрирам обратно, като заменям всяка буква с буквата от азбуката на нейното "
              u"място в ключа:\nF (7) -> H\nG (8) -> I\n");
}

TEST(SubstitutionSolving, RedrawsTheGuessesMarksAClashAndHintsOneAtATime) {
    lesson::SubstitutionSolving solving;
    // B stands for A, E for D and Q for P: the key is the alphabet moved on by one.
    solving.Start(u"qeb, qbb qeb", cipher::LatinAlphabet(), u"BCDEFGHIJKLMNOPQRSTUVWXYZA");
    EXPECT_EQ(solving.Solved(), u"···, ··· ···");
    ASSERT_EQ(solving.Rows().size(), 3U);
    EXPECT_EQ(solving.Rows()[0].letter, u'B');
    EXPECT_EQ(solving.Rows()[0].common, u'E');
    EXPECT_TRUE(solving.TakesLetter(u"Q") && !solving.TakesLetter(u"A") &&
                !solving.TakesLetter(u"QE"));
    solving.Guess(u'Q', u"t");
    solving.Guess(u'B', u"E");
    solving.Guess(u'A', u"E");
    EXPECT_EQ(solving.Solved(), u"T·E, TEE T·E");
    EXPECT_EQ(solving.KeyGuessed().substr(0, 5), u"····B");
    solving.Guess(u'E', u"T");
    EXPECT_TRUE(solving.Rows()[2].clash);
    EXPECT_EQ(solving.Message(), u"T е предположена за повече от една буква: Q и E.");
    solving.Guess(u'E', u"t!");
    EXPECT_FALSE(solving.Rows()[2].clash);
    // The same text taken again keeps the guesses.
    solving.Take(u"qeb, qbb qeb", cipher::LatinAlphabet());
    EXPECT_EQ(solving.Solved(), u"T·E, TEE T·E");
    for (int i = 0; i < 6; ++i) {
        solving.Hint();
    }
    EXPECT_EQ(solving.Hints()[0],
              u"Най-честите букви в шифъра са B (4), Q (3) и E (2). В английски текст най-чести "
              u"са E, T и A.");
    EXPECT_NE(solving.Hints()[1].find(u"Думи от три букви в шифъра: QEB и QBB."),
              std::u16string::npos);
    EXPECT_EQ(solving.Hints()[2], u"Буквата B е A.");
    EXPECT_EQ(solving.Hints()[5], u"Всички букви са познати.");
    EXPECT_EQ(solving.Solved(), u"PDA, PAA PDA");
    EXPECT_EQ(solving.ClimbNote(), u"");

    // Without the key, or with one that is not whole, the hints' letters are the breaking's.
    EXPECT_EQ(lesson::SubstitutionSolving().KeyGuessed(), u"");
    solving.Take(u"Здравей, свят! Това е урок за шифри: от, до, на, по.",
                 cipher::CyrillicAlphabet(), u"АБВ");
    for (int i = 0; i < 3; ++i) {
        solving.Hint();
    }
    EXPECT_NE(solving.Hints()[1].find(u"в български текст: И, "), std::u16string::npos);
    EXPECT_TRUE(solving.Hints()[2].starts_with(u"Според разбиването буквата "));
    solving.Break();
    EXPECT_TRUE(solving.ClimbNote().starts_with(u"Най-доброто от 25 начала: оценката расте от"));

    solving.Start(u"a", cipher::LatinAlphabet());
    solving.Hint();
    EXPECT_EQ(solving.Hints()[0],
              u"Най-честата буква в шифъра е A (1). В английски текст най-честата е E.");
    // A part of a word joined by an apostrophe or a hyphen is no short word; the guide of
    // another alphabet starts again.
    EXPECT_EQ(lesson::SubstitutionSolving::GuessLabel(u'Г'), u"Предположение за гъ");
    solving.Take(u"a", cipher::CyrillicAlphabet());
    EXPECT_TRUE(solving.Rows().empty());
    solving.Start(u"qeb'a x-yz qeb q", cipher::LatinAlphabet());
    solving.Hint();
    solving.Hint();
    EXPECT_NE(solving.Hints()[1].find(u"в шифъра: Q. Думи от три букви в шифъра: QEB."),
              std::u16string::npos);
    // A text without letters has nothing to guess, break or hint.
    solving.Start(u"2026!", cipher::LatinAlphabet());
    solving.Break();
    solving.Hint();
    EXPECT_EQ(solving.Message(), u"Няма латински букви (A–Z) в шифрирания текст.");
    EXPECT_TRUE(solving.Hints().empty() && solving.Climb().empty());
}

}  // namespace
