// SPDX-License-Identifier: GPL-3.0-or-later
// Replays clicks through the page's functions, built natively, for the differential against
// the page's WebAssembly. Each input line is "INDEX PHRASE OFFSET"; each output line gives,
// after that click, the phrase, offset, result and log, the problem's title and text, the
// announcement and the code buffer. Texts are UTF-16 code units in hexadecimal, four digits
// each ("-" for an empty text), the codes two digits each.
#include <cstdint>
#include <cstdio>
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

void PrintText(std::int32_t which) {
    const char16_t* text = lesson_text(which);
    const std::int32_t length = lesson_text_length(which);
    if (length == 0) {
        std::fputs("-", stdout);
    }
    for (std::int32_t i = 0; i < length; ++i) {
        std::printf("%04x", static_cast<unsigned>(text[i]));
    }
    std::fputs(" ", stdout);
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
