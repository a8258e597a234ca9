// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "cipher/alphabet.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"

namespace {

using cipher::Direction;

TEST(Substitution, MixesTheAlphabetFromAKeyWordAndSubstitutesBothWays) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        const cipher::Alphabet& alphabet;
        std::u16string keyWord, key, plain, encrypted;
    } cases[] = {
        {latin, u"ZEBRA", u"ZEBRACDFGHIJKLMNOPQSTUVWXY", u"HELLO", u"FAJJM"},
        // КЛЮЧ, then А to Я without them. On places: З 7 -> Г, Д 4 -> А, Р 16 -> О, А 0 -> К,
        // В 2 -> Ю, Е 5 -> Б, Й 9 -> Е.
        {cyrillic, u"ключ", u"КЛЮЧАБВГДЕЖЗИЙМНОПРСТУФХЦШЩЪЬЯ", u"ЗДРАВЕЙ", u"ГАОКЮБЕ"},
        // A letter twice in the key word counts once; what is not a letter is left out.
        {latin, u"Bob 7, bob!", u"BOACDEFGHIJKLMNPQRSTUVWXYZ", u"ABO 1", u"BON 1"},
        {latin, u"", std::u16string(latin.letters), u"SAME", u"SAME"},
    };
    for (const auto& c : cases) {
        const std::u16string key = cipher::MixedAlphabet(c.alphabet, c.keyWord);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(Substituted(c.alphabet, key, c.plain, Direction::kEncrypt), c.encrypted);
        EXPECT_EQ(Substituted(c.alphabet, key, c.encrypted, Direction::kDecrypt), c.plain);
    }
    EXPECT_EQ(Substituted(latin, u"ZEB", u"ABCD", Direction::kEncrypt), u"ZEBD");
    const std::u16string zebra = cipher::MixedAlphabet(latin, u"ZEBRA");
    EXPECT_EQ(cipher::SubstitutionLine(latin, zebra, u'H', Direction::kEncrypt), u"H (7) -> F");
    EXPECT_EQ(cipher::SubstitutionLine(latin, zebra, u'F', Direction::kDecrypt), u"F (7) -> H");
    EXPECT_EQ(cipher::SubstitutionLine(latin, zebra, u' ', Direction::kEncrypt), u"");
    EXPECT_EQ(cipher::SubstitutionLine(latin, u"ZEB", u'D', Direction::kEncrypt), u"");
}

TEST(Substitution, NamesTheLettersThatKeepATypedKeyFromBeingOne) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const struct {
        std::u16string key, repeated, missing;
    } cases[] = {
        {u"zebracdfghijklmnopqstuvwxy", u"", u""},
        {u"Z E B R A C D F G H I J K L M N O P Q S T U V W X Y", u"", u""},
        {u"ABCDEFGHIJKLMNOPQRSTUVWXYA", u"A", u"Z"},
        {u"ZEBRA", u"", u"CDFGHIJKLMNOPQSTUVWXY"},
        {u"", u"", std::u16string(latin.letters)},
    };
    for (const auto& c : cases) {
        const cipher::KeyFaults faults = cipher::FaultsOfKey(latin, c.key);
        EXPECT_EQ(faults.repeated, c.repeated);
        EXPECT_EQ(faults.missing, c.missing);
    }
}

}  // namespace
