// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/json_request.h"
#include "web/json_writer.h"

namespace {

using page::Request;
using namespace std::string_view_literals;

std::optional<std::u16string> TextOf(std::string_view json) {
    const std::optional<Request> request = Request::Read(json);
    return request ? request->Text("t") : std::nullopt;
}

std::optional<std::int64_t> IntegerOf(const std::string& number) {
    const std::optional<Request> request = Request::Read("{\"n\":" + number + "}");
    return request ? request->Integer("n") : std::nullopt;
}

TEST(JsonRequest, UndoesEveryEscape) {
    const struct {
        std::string_view json;
        std::u16string text;
    } cases[] = {
        {R"({"t":"\"\\\/"})", u"\"\\/"},
        {R"({"t":"\b\f\n\r\t"})", u"\b\f\n\r\t"},
        {R"({"t":"\u0041\u00e9\u00E9\u0000"})", std::u16string(u"A\u00e9\u00e9\0", 4)},
        // Lone and reversed surrogates stay the code units they were.
        {R"({"t":"\uD800"})", {0xD800}},
        {R"({"t":"\udc00x"})", {0xDC00, u'x'}},
        {R"({"t":"\uDE00\uD83D"})", {0xDE00, 0xD83D}},
        {R"({"t":"\uD83D\uDE00"})", u"\U0001F600"},
        {R"( { "t" : "" } )", u""},
    };
    for (const auto& [json, text] : cases) {
        EXPECT_EQ(TextOf(json), text) << json;
    }
}

TEST(JsonRequest, RefusesWhatThePageNeverWrites) {
    const std::string_view refused[] = {
        // Escapes that JSON has not, or cut short.
        R"({"t":"\x41"})", R"({"t":"\'"})", R"({"t":"\U0041"})", R"({"t":"\u41"})",
        R"({"t":"\u00G1"})", R"({"t":"\"})", R"({"t":"\)",
        // Control characters and bytes past ASCII, which the page escapes.
        "{\"t\":\"a\tb\"}", "{\"t\":\"a\0b\"}"sv, "{\"t\":\"\xC3\xA9\"}", "{\"\xC3\xA9\":1}",
        "\xEF\xBB\xBF{}", "{}\xA0", R"({"\u00e9":1})",
        // Anything nested but a list of strings.
        R"({"t":{}})", R"({"t":{"u":"v"}})", R"({"t":[1]})", R"({"t":["a",2]})", R"({"t":[["a"]]})",
        R"({"t":["a",{}]})", R"({"t":[null]})", R"({"t":["a",]})", R"({"t":[,]})",
        R"({"t":["a" "b"]})", R"({"t":true})", R"({"t":null})",
        // A name twice, whatever its values.
        R"({"t":1,"t":1})", R"({"t":"a","u":2,"t":["a"]})", R"({"t":[],"t":[]})",
        // Not one object.
        "", " ", "[]", R"("t")", "{", R"({"t":1,})", R"({,"t":1})", R"({"t" 1})", R"({t:1})",
        R"({"t":1 "u":2})", R"({"t":1}x)", R"({"t":1}{})"};
    for (const std::string_view json : refused) {
        EXPECT_FALSE(Request::Read(json)) << json;
    }
}

TEST(JsonRequest, ReadsIntegersThatFit64Bits) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const struct {
        std::string text;
        std::int64_t value;
    } accepted[] = {{"0", 0},
                    {"-0", 0},
                    {" 7 ", 7},
                    {"-10", -10},
                    {"-9223372036854775808", kMin},
                    {"-9223372036854775807", kMin + 1},
                    {"9223372036854775807", kMax}};
    for (const auto& [text, value] : accepted) {
        EXPECT_EQ(IntegerOf(text), value) << text;
        EXPECT_EQ(IntegerOf(page::Number(value)), value) << text;
    }
    const std::string refused[] = {// Past 64 bits.
                                   "9223372036854775808", "-9223372036854775809",
                                   "18446744073709551616", "99999999999999999999",
                                   // Not as JSON.stringify writes an integer.
                                   "00", "01", "-01", "1.0", "1.", ".5", "1e3", "1E3", "-1e-3",
                                   "+1", "-", "- 1", "0x10", ""};
    for (const std::string& text : refused) {
        EXPECT_FALSE(IntegerOf(text)) << text;
    }
}

TEST(JsonRequest, GivesEachMemberAsItsOwnKindOnly) {
    const std::optional<Request> request = Request::Read(
        R"({"action":"sheet","kinds":[ "encrypt" , "find\u004bey" ],"none":[],"row":-3})");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->Names(), (std::vector<std::string_view>{"action", "kinds", "none", "row"}));
    EXPECT_EQ(request->Text("action"), u"sheet");
    EXPECT_EQ(request->List("kinds"), (std::vector<std::u16string>{u"encrypt", u"findKey"}));
    EXPECT_EQ(request->List("none"), std::vector<std::u16string>());
    EXPECT_EQ(request->Integer("row"), -3);
    EXPECT_FALSE(request->Text("kinds") || request->Integer("none") || request->List("row") ||
                 request->List("action") || request->Text("missing"));
    EXPECT_EQ(Request::Read("{}")->Names(), std::vector<std::string_view>());
}

TEST(JsonRequest, RefusesEveryTruncation) {
    constexpr std::string_view kWhole =
        R"({"action":"sheet","kinds":["encrypt","findKey"],"row":-12,"text":"\u0416\"x"})";
    ASSERT_TRUE(Request::Read(kWhole));
    for (std::size_t length = 0; length < kWhole.size(); ++length) {
        EXPECT_FALSE(Request::Read(kWhole.substr(0, length))) << kWhole.substr(0, length);
    }
}

TEST(JsonRequest, RefusesTextsPastTheCap) {
    const std::string head = R"({"t":")";
    const std::string atCap =
        head + std::string(page::kLongestRequest - head.size() - 2, 'x') + "\"}";
    ASSERT_EQ(atCap.size(), page::kLongestRequest);
    EXPECT_TRUE(Request::Read(atCap));
    EXPECT_FALSE(Request::Read(atCap + ' '));
}

TEST(JsonWriter, QuotedReadsBackUnitForUnit) {
    const std::u16string texts[] = {std::u16string(u"\0\x01\x1f\x7f", 4),
                                    u"\b\f\n\r\t",
                                    u"\"\\/",
                                    u"Цезар ÄÖ",
                                    {0xD800},
                                    {0xDC00, u'a'},
                                    {0xDE00, 0xD83D},
                                    u"\U0001F600",
                                    {0xFFFF},
                                    u""};
    for (const std::u16string& text : texts) {
        const std::string quoted = page::Quoted(text);
        EXPECT_TRUE(std::all_of(quoted.begin(), quoted.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << quoted;
        EXPECT_EQ(TextOf("{\"t\":" + quoted + "}"), text) << quoted;
    }
}

}  // namespace
