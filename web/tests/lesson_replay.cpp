// SPDX-License-Identifier: GPL-3.0-or-later
// Sends requests through the page's boundary, built natively, for the differential against
// the page's WebAssembly: each input line is a request and each output line its response. A
// line "ROOM N" asks for room for a request of N bytes instead, and is answered "granted" or
// "refused".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

#include "web/page_api.h"

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.rfind("ROOM ", 0) == 0) {
            const auto length = static_cast<std::int32_t>(std::stoll(line.substr(5)));
            std::puts(lesson_request(length) == nullptr ? "refused" : "granted");
            continue;
        }
        char* room = lesson_request(static_cast<std::int32_t>(line.size()));
        if (room == nullptr) {
            std::puts("refused");
            continue;
        }
        line.copy(room, line.size());
        const std::int32_t length = lesson_call();
        std::fwrite(lesson_response(), 1, static_cast<std::size_t>(length), stdout);
        std::fputs("\n", stdout);
    }
}
