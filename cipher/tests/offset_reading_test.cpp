// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "cipher/cipher.h"

namespace {

struct OffsetCase {
    std::u16string text;
    std::int32_t offset;
};

TEST(ReadOffset, ReducesToTruncatedRemainder) {
    const OffsetCase cases[] = {
        {u"3", 3},      {u"29", 3},  {u"26", 0},     {u"52", 0},   {u"-1", -1}, {u"-27", -1},
        {u"", 0},       {u"abc", 0}, {u"3abc", 3},   {u"1e1", 10}, {u"+7", 7},  {u"--3", 0},
        {u"-", 0},      {u".", 0},   {u"1.2.3", 1},  {u"1,5", 1},  {u"e5", 0},  {u"&H10", 0},
        {u"0x1A", 0},   {u"1d2", 1}, {u"1e", 1},     {u"1e+", 1},  {u"1e-", 1}, {u"1E+1", 10},
        {u"1e-400", 0}, {u"٣", 0},   {u"\uFF13", 0},
    };
    for (const auto& [text, offset] : cases) {
        EXPECT_EQ(cipher::ReadOffset(text), offset) << std::string(text.begin(), text.end());
    }
}

TEST(ReadOffset, RemovesOnlyBlanksTabsAndLineFeeds) {
    const OffsetCase cases[] = {
        {u" 1 2", 12}, {u"\t-\n3", -3}, {u"1 e 1", 10}, {u"- 2 7", -1},
        {u"\r3", 0},   {u"\u00A03", 0}, {u"\v3", 0},
    };
    for (const auto& [text, offset] : cases) {
        EXPECT_EQ(cipher::ReadOffset(text), offset);
    }
}

TEST(ReadOffset, RoundsHalfToEven) {
    const OffsetCase cases[] = {
        {u"2.5", 2},
        {u"3.5", 4},
        {u"0.5", 0},
        {u"1.5", 2},
        {u"-2.5", -2},
        {u"-3.5", -4},
        {u".5", 0},
        {u"5.", 5},
        {u"2.4999999", 2},
        {u"0.5000000000000001", 1},
        {u"2.4999999999999999", 2},
        {u"2147483647.4", 23},
        {u"-2147483648.5", -24},
        {u"-2147483648", -24},
    };
    for (const auto& [text, offset] : cases) {
        EXPECT_EQ(cipher::ReadOffset(text), offset) << std::string(text.begin(), text.end());
    }
}

TEST(ReadOffset, FailsOutsideThirtyTwoBits) {
    const std::u16string texts[] = {
        u"2147483647.5", u"2147483648",  u"-2147483648.6",
        u"-2147483649",  u"99999999999", u"1e20",
        u"1e400",        u"-1e400",      u"1e99999999999999999999",
    };
    for (const auto& text : texts) {
        EXPECT_THROW(cipher::ReadOffset(text), std::overflow_error)
            << std::string(text.begin(), text.end());
    }
}

TEST(LeadingNumber, ConvertsCorrectlyRounded) {
    EXPECT_GT(cipher::LeadingNumber(u"0.5000000000000001"), 0.5);
    const double largest = std::numeric_limits<double>::max();
    const double smallest = std::numeric_limits<double>::denorm_min();
    const std::u16string manyZeros(900, u'0');
    const struct {
        std::u16string text;
        double value;
    } cases[] = {
        {u"2.4999999999999999", 2.5},
        {u"0.1", 0.1},
        {u"-0.1e1", -1.0},
        // Ties between two doubles go to the even one; a last digit far out breaks the tie.
        {u"9007199254740993", 9007199254740992.0},
        {u"9007199254740995", 9007199254740996.0},
        {u"9007199254740993" + manyZeros + u"1e-901", 9007199254740994.0},
        {u"9007199254740993." + manyZeros + u"1", 9007199254740994.0},
        {u"1.7976931348623157e308", largest},
        {u"1.7976931348623158e308", largest},
        {u"1.7976931348623159e308", std::numeric_limits<double>::infinity()},
        {u"2.2250738585072011e-308", 2.2250738585072009e-308},
        {u"4.9406564584124654e-324", smallest},
        {u"2.4703282292062328e-324", smallest},
        {u"2.4703282292062327e-324", 0.0},
        {u"7.4109846876186982e-324", 2 * smallest},
        {u"0." + manyZeros + u"1e1000", 1e99},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(cipher::LeadingNumber(text), value) << std::string(text.begin(), text.end());
    }
}

TEST(LeadingNumber, TellsOverflowFromUnderflow) {
    const double infinity = std::numeric_limits<double>::infinity();
    const std::u16string zeros(400, u'0');
    const struct {
        std::u16string text;
        double value;
    } cases[] = {
        {u"1e400", infinity},           {u"-1e400", -infinity},
        {u"1" + zeros, infinity},       {u"1e-400", 0.0},
        {u"0." + zeros + u"1", 0.0},    {u"0." + zeros + u"1e401", 1.0},
        {u"1" + zeros + u"e-400", 1.0}, {u"0e99999999999", 0.0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(cipher::LeadingNumber(text), value) << text.size();
    }
}

}  // namespace
