// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cipher/cipher.h"
#include "cipher/tests/log_lines.h"

namespace {

using namespace std::string_literals;
using cipher::CodeBuffer;
using cipher::FormFields;

TEST(Calculate, CleansThePhraseAndRuns) {
    const struct {
        std::u16string phrase, offset, cleaned, normalised, result;
    } cases[] = {
        {u"abcdefghijkl", u"3", u"ABCDEFGHIJKL", u"3", u"DEFGHIJKLMNO"},
        {u"Hello, World!", u"29", u"HELLOWORLD", u"3", u"KHOORZRUOG"},
        {u"a1b2", u"1", u"AB", u"1", u"BC"},
        {u"straße", u"1", u"STRAE", u"1", u"TUSBF"},
        {u"\u0131\u017F", u"1", u"IS", u"1", u"JT"},
        {u"ÉéЖ\uFF41\u212A\u0130ǅ\0x\U0001F600\xD800"s, u"1", u"X", u"1", u"Y"},
    };
    for (const auto& c : cases) {
        FormFields fields{c.phrase, c.offset, u"", u""};
        CodeBuffer codes{};
        cipher::Calculate(fields, codes);
        EXPECT_EQ(fields.phrase, c.cleaned);
        EXPECT_EQ(fields.offset, c.normalised);
        EXPECT_EQ(fields.result, c.result);
        EXPECT_EQ(LogLines(fields.log).size(), 3 + 2 * c.cleaned.size());
    }
}

TEST(Calculate, PhraseWithoutLatinLettersKeepsTheLog) {
    FormFields fields{u"Цезар", u"29", u"old", u"help\r\n"};
    CodeBuffer codes{};
    cipher::Calculate(fields, codes);
    EXPECT_EQ(fields.phrase, u"");
    EXPECT_EQ(fields.offset, u"3");
    EXPECT_EQ(fields.result, u"");
    EXPECT_EQ(fields.log, u"help\r\n");
}

TEST(Calculate, OverflowLeavesTheCleanedPhrase) {
    FormFields fields{u"ab c", u"1e20", u"old", u"help\r\n"};
    CodeBuffer codes{};
    EXPECT_THROW(cipher::Calculate(fields, codes), std::overflow_error);
    EXPECT_EQ(fields.phrase, u"ABC");
    EXPECT_EQ(fields.offset, u"1e20");
    EXPECT_EQ(fields.result, u"");
    EXPECT_EQ(fields.log, u"help\r\n");
}

TEST(Calculate, TwiceInARowGivesTheSameFields) {
    FormFields fields{u"Veni, vidi, vici", u" 5 5", u"", u""};
    CodeBuffer codes{};
    cipher::Calculate(fields, codes);
    const FormFields first = fields;
    const CodeBuffer firstCodes = codes;
    cipher::Calculate(fields, codes);
    EXPECT_EQ(fields.phrase, first.phrase);
    EXPECT_EQ(fields.offset, u"3");
    EXPECT_EQ(fields.result, first.result);
    EXPECT_EQ(fields.log, first.log);
    EXPECT_EQ(codes, firstCodes);
}

TEST(ClearFields, KeepsLogAndCodes) {
    FormFields fields{u"abc", u"3", u"", u""};
    CodeBuffer codes{};
    cipher::Command1_Click(0, fields, codes);
    const std::u16string log = fields.log;
    const CodeBuffer before = codes;

    cipher::Command1_Click(1, fields, codes);
    EXPECT_EQ(fields.phrase, u"");
    EXPECT_EQ(fields.offset, u"");
    EXPECT_EQ(fields.result, u"");
    EXPECT_EQ(fields.log, log);
    EXPECT_EQ(codes, before);

    cipher::Command1_Click(0, fields, codes);  // finds nothing to run
    EXPECT_EQ(fields.offset, u"0");
    EXPECT_EQ(fields.log, log);
    EXPECT_EQ(codes, before);
}

TEST(Command1Click, OtherIndexesChangeNothing) {
    const std::int16_t indexes[] = {2, -1, 32767, -32768};
    for (const std::int16_t index : indexes) {
        FormFields fields{u"abc", u"3", u"res", u"log"};
        CodeBuffer codes{};
        cipher::Command1_Click(index, fields, codes);
        EXPECT_EQ(fields.phrase, u"abc");
        EXPECT_EQ(fields.offset, u"3");
        EXPECT_EQ(fields.result, u"res");
        EXPECT_EQ(fields.log, u"log");
        EXPECT_EQ(codes, CodeBuffer{});
    }
}

}  // namespace
