// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "cipher/cipher.h"
#include "cipher/tests/log_lines.h"

namespace {

using cipher::CodeBuffer;
using cipher::FormFields;

FormFields Fields(std::u16string phrase, std::u16string offset) {
    return {std::move(phrase), std::move(offset), u"old result", u"old log\r\n"};
}

TEST(RunCipher, WritesTheWorkedExampleLineForLine) {
    FormFields fields = Fields(u"ABCYZ", u"3");
    CodeBuffer codes{};
    cipher::RunCipher(fields, codes);

    EXPECT_EQ(fields.result, u"DEFBC");
    EXPECT_EQ(fields.offset, u"3");
    const std::vector<std::u16string> expected = {
        u"Дължина на въведената фраза и отместване: 5:3",
        u"Последователно извеждам изчислените ASCII кодове:",
        u"A + 3 = 65 + 3 = 68 -> D",
        u"B + 3 = 66 + 3 = 69 -> E",
        u"C + 3 = 67 + 3 = 70 -> F",
        u"Y + 3 = 89 + 3 = 66 -> B",
        u"Z + 3 = 90 + 3 = 67 -> C",
        u"Извеждам обратно кодираната фраза:",
        u"68 - 3 = 65 -> A",
        u"69 - 3 = 66 -> B",
        u"70 - 3 = 67 -> C",
        u"66 + 23 = 89 -> Y",
        u"67 + 23 = 90 -> Z",
    };
    EXPECT_EQ(LogLines(fields.log), expected);
    EXPECT_EQ(codes[0], 0);
    EXPECT_EQ(codes[4], 66);
}

TEST(RunCipher, ShowsWrapAroundInBothPasses) {
    const struct {
        std::u16string phrase, offset, header, encode, decode;
    } cases[] = {
        {u"Z", u"25", u"1:25", u"Z + 25 = 90 + 25 = 89 -> Y", u"89 + 1 = 90 -> Z"},
        {u"A", u"1", u"1:1", u"A + 1 = 65 + 1 = 66 -> B", u"66 - 1 = 65 -> A"},
        {u"Y", u"3", u"1:3", u"Y + 3 = 89 + 3 = 66 -> B", u"66 + 23 = 89 -> Y"},
        {u"A", u"25", u"1:25", u"A + 25 = 65 + 25 = 90 -> Z", u"90 - 25 = 65 -> A"},
        {u"Z", u"1", u"1:1", u"Z + 1 = 90 + 1 = 65 -> A", u"65 + 25 = 90 -> Z"},
    };
    for (const auto& c : cases) {
        FormFields fields = Fields(c.phrase, c.offset);
        CodeBuffer codes{};
        cipher::RunCipher(fields, codes);
        const auto lines = LogLines(fields.log);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_TRUE(lines[0].ends_with(c.header));
        EXPECT_EQ(lines[2], c.encode);
        EXPECT_EQ(lines[4], c.decode);
    }
}

TEST(RunCipher, DecodesEveryLetterWithEveryOffset) {
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        for (int offset = 1; offset <= 25; ++offset) {
            FormFields fields = Fields(std::u16string(1, letter), u"");
            fields.offset = std::u16string(1, u'0' + offset / 10) + char16_t(u'0' + offset % 10);
            CodeBuffer codes{};
            cipher::RunCipher(fields, codes);

            const char16_t shifted = u'A' + (letter - u'A' + offset) % 26;
            EXPECT_EQ(fields.result, std::u16string(1, shifted));
            const auto lines = LogLines(fields.log);
            ASSERT_EQ(lines.size(), 5u);
            EXPECT_TRUE(lines[2].ends_with(std::u16string(u" -> ") + shifted));
            EXPECT_TRUE(lines[4].ends_with(std::u16string(u" -> ") + letter))
                << std::string(lines[4].begin(), lines[4].end());
        }
    }
}

TEST(RunCipher, StopsEarlyLeavingLogAndCodes) {
    const struct {
        std::u16string phrase, offset, normalised;
    } cases[] = {
        {u"ABC", u"0", u"0"}, {u"ABC", u"26", u"0"}, {u"ABC", u"-3", u"-3"}, {u"ABC", u"", u"0"},
        {u"ABC", u"x", u"0"}, {u"", u"3", u"3"},     {u"", u"-27", u"-1"},
    };
    for (const auto& c : cases) {
        FormFields fields = Fields(c.phrase, c.offset);
        CodeBuffer codes{};
        codes[1] = 7;
        cipher::RunCipher(fields, codes);
        EXPECT_EQ(fields.offset, c.normalised);
        EXPECT_EQ(fields.result, u"");
        EXPECT_EQ(fields.log, u"old log\r\n");
        EXPECT_EQ(codes[1], 7);
    }
}

TEST(RunCipher, OverflowLeavesOffsetLogAndCodes) {
    FormFields fields = Fields(u"ABC", u"99999999999");
    CodeBuffer codes{};
    codes[1] = 7;
    EXPECT_THROW(cipher::RunCipher(fields, codes), std::overflow_error);
    EXPECT_EQ(fields.result, u"");
    EXPECT_EQ(fields.offset, u"99999999999");
    EXPECT_EQ(fields.log, u"old log\r\n");
    EXPECT_EQ(codes[1], 7);
}

TEST(RunCipher, FillsExactlyTheSlotsOfItsPhrase) {
    CodeBuffer codes{};
    for (const std::size_t length : {50u, 300u}) {
        FormFields fields = Fields(std::u16string(length, u'B'), u"1");
        cipher::RunCipher(fields, codes);
        EXPECT_EQ(LogLines(fields.log).size(), 3 + 2 * length);
        EXPECT_EQ(codes[length], u'C');
    }
    EXPECT_EQ(codes[0], 0);

    FormFields shorter = Fields(u"AAA", u"1");
    cipher::RunCipher(shorter, codes);
    EXPECT_EQ(codes[3], u'B');
    EXPECT_EQ(codes[4], u'C');  // slots beyond the phrase keep the longer run's codes
}

TEST(RunCipher, RefusesPhrasesItCannotHold) {
    const struct {
        std::u16string phrase;
        bool tooLong;
    } cases[] = {{std::u16string(301, u'A'), true}, {u"AbC", false}, {u"A C", false}};
    for (const auto& c : cases) {
        FormFields fields = Fields(c.phrase, u"29");
        CodeBuffer codes{};
        if (c.tooLong) {
            EXPECT_THROW(cipher::RunCipher(fields, codes), std::length_error);
        } else {
            EXPECT_THROW(cipher::RunCipher(fields, codes), std::invalid_argument);
        }
        EXPECT_EQ(fields.result, u"");
        EXPECT_EQ(fields.offset, u"3");
        EXPECT_EQ(fields.log, u"old log\r\n");
        EXPECT_EQ(codes, CodeBuffer{});
    }
}

}  // namespace
