// SPDX-License-Identifier: GPL-3.0-or-later
// Replays clicks through the page's functions, built natively, for the differential against
// the page's WebAssembly. Each input line is "INDEX PHRASE OFFSET"; each output line gives,
// after that click, the phrase, offset, result and log, the problem's title and text, the
// announcement and the code buffer. A line "B TEXT ROW" breaks the text and then chooses the
// row; its output gives the rows and the chosen one, each row's offset, decoded letters and
// score, each letter's count and expected count (as text, then the double's bits), the
// message, the announcement and the trace. Texts are UTF-16 code units in hexadecimal, four
// digits each ("-" for an empty text), the codes two digits each.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "web/page_api.h"

namespace {

std::u16string FromHex(const std::string& hex) {
    std::u16string text;
    for (std::size_t i = 0; hex != "-" && i + 4 <= hex.size(); i += 4) {
        text.push_back(static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
    }
    return text;
}

void PrintHex(const char16_t* text, std::int32_t length) {
    if (length == 0) {
        std::fputs("-", stdout);
    }
    for (std::int32_t i = 0; i < length; ++i) {
        std::printf("%04x", static_cast<unsigned>(text[i]));
    }
    std::fputs(" ", stdout);
}

void PrintText(std::int32_t which) { PrintHex(lesson_text(which), lesson_text_length(which)); }

void PrintBreakText(std::int32_t which, std::int32_t index) {
    PrintHex(lesson_break_text(which, index), lesson_break_text_length(which, index));
}

void PrintBreak() {
    std::printf("%d %d ", lesson_break_rows(), lesson_break_chosen());
    for (std::int32_t row = 0; row < lesson_break_rows(); ++row) {
        std::printf("%d ", lesson_break_offset(row));
        PrintBreakText(kDecoded, row);
        PrintBreakText(kScore, row);
    }
    for (std::int32_t letter = 0; letter < 26; ++letter) {
        const double expected = lesson_expected_count(letter);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &expected, sizeof bits);
        std::printf("%d ", lesson_letter_count(letter));
        PrintBreakText(kExpected, letter);
        std::printf("%016llx ", static_cast<unsigned long long>(bits));
    }
    for (const std::int32_t which : {kBreakMessage, kBreakAnnouncement, kTrace}) {
        PrintBreakText(which, 0);
    }
}

void Type(std::int32_t which, const std::u16string& text) {
    char16_t* room = lesson_input(which, static_cast<std::int32_t>(text.size()));
    text.copy(room, text.size());
}

}  // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        if (line.rfind("B ", 0) == 0) {
            std::string kind;
            std::string text;
            int row = 0;
            fields >> kind >> text >> row;
            Type(kCiphertext, FromHex(text));
            lesson_break();
            lesson_choose(row);
            PrintBreak();
            std::fputs("\n", stdout);
            continue;
        }
        int index = 0;
        std::string phrase;
        std::string offset;
        fields >> index >> phrase >> offset;
        Type(kPhrase, FromHex(phrase));
        Type(kOffset, FromHex(offset));
        lesson_click(index);
        for (const std::int32_t which :
             {kPhrase, kOffset, kResult, kLog, kProblemTitle, kProblem, kAnnouncement}) {
            PrintText(which);
        }
        const std::uint8_t* codes = lesson_codes();
        for (std::int32_t i = 0; i < lesson_code_count(); ++i) {
            std::printf("%02x", static_cast<unsigned>(codes[i]));
        }
        std::fputs("\n", stdout);
    }
}
