// SPDX-License-Identifier: GPL-3.0-or-later
// Sends arbitrary bytes through the page's boundary as one request, and checks what the page
// relies on whatever comes in: the response is one JSON object in printable ASCII whose length
// is the one returned, and a refused request changes nothing. The lesson lives on from input to
// input, as it does while the page is open, so requests meet every state the others left.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz/expect.h"
#include "web/page_api.h"

namespace {

std::string Call(std::string_view request) {
    char* room = lesson_request(static_cast<std::int32_t>(request.size()));
    Expect(room != nullptr, "room for a request within the cap");
    std::copy(request.begin(), request.end(), room);
    const std::int32_t length = lesson_call();
    const char* response = lesson_response();
    Expect(length >= 0 && std::strlen(response) == static_cast<std::size_t>(length),
           "the response's length is the one returned");
    return {response, static_cast<std::size_t>(length)};
}

// Each Take takes one piece of JSON, as the page's writer writes it (without blanks), off the
// front of the text, and tells whether it was there.
bool TakeValue(std::string_view& rest, int depth);

bool TakeChar(std::string_view& rest, char c) {
    if (!rest.starts_with(c)) {
        return false;
    }
    rest.remove_prefix(1);
    return true;
}

bool TakeString(std::string_view& rest) {
    if (!TakeChar(rest, '"')) {
        return false;
    }
    constexpr std::string_view kEscaped = R"("\/bfnrt)";
    const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    while (!rest.empty() && rest.front() != '"') {
        std::size_t length = 1;
        if (TakeChar(rest, '\\')) {
            if (rest.starts_with('u')) {
                length = 5;
                if (rest.size() < length ||
                    !std::all_of(rest.begin() + 1, rest.begin() + 5, isHex)) {
                    return false;
                }
            } else if (rest.empty() || kEscaped.find(rest.front()) == std::string_view::npos) {
                return false;
            }
        }
        rest.remove_prefix(length);
    }
    return TakeChar(rest, '"');
}

bool TakeInteger(std::string_view& rest) {
    const std::size_t first = rest.starts_with('-') ? 1 : 0;
    std::size_t end = first;
    while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9') {
        ++end;
    }
    if (end == first || (end - first > 1 && rest[first] == '0')) {
        return false;
    }
    rest.remove_prefix(end);
    return true;
}

// The items of a list, or the members of an object, up to its closing bracket.
bool TakeItems(std::string_view& rest, char close, bool named, int depth) {
    if (TakeChar(rest, close)) {
        return true;
    }
    do {
        if ((named && !(TakeString(rest) && TakeChar(rest, ':'))) || !TakeValue(rest, depth + 1)) {
            return false;
        }
    } while (TakeChar(rest, ','));
    return TakeChar(rest, close);
}

bool TakeValue(std::string_view& rest, int depth) {
    constexpr int kDeepest = 16;
    if (depth > kDeepest) {
        return false;
    }
    if (TakeChar(rest, '{')) {
        return TakeItems(rest, '}', true, depth);
    }
    if (TakeChar(rest, '[')) {
        return TakeItems(rest, ']', false, depth);
    }
    for (const std::string_view word : {"true", "false", "null"}) {
        if (rest.starts_with(word)) {
            rest.remove_prefix(word.size());
            return true;
        }
    }
    return rest.starts_with('"') ? TakeString(rest) : TakeInteger(rest);
}

void CheckResponse(std::string_view response) {
    Expect(
        std::all_of(response.begin(), response.end(), [](char c) { return c >= 0x20 && c < 0x7F; }),
        "the response is printable ASCII");
    std::string_view rest = response;
    Expect(response.starts_with('{') && TakeValue(rest, 0) && rest.empty(),
           "the response is one JSON object");
}

// What the page can ask for without changing it.
std::string ShownState() {
    return Call(R"({"action":"form"})") + Call(R"({"action":"showExercise"})");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(kRequestCap)) {
        const std::size_t asked =
            std::min<std::size_t>(size, std::numeric_limits<std::int32_t>::max());
        Expect(lesson_request(static_cast<std::int32_t>(asked)) == nullptr,
               "no room for a request past the cap");
        return 0;
    }
    // What the page showed after the last request that was carried out.
    static std::string shown = ShownState();
    const std::string response = Call({reinterpret_cast<const char*>(data), size});
    CheckResponse(response);
    if (response.starts_with(R"({"error":)")) {
        Expect(ShownState() == shown, "a refused request changes nothing");
    } else {
        shown = ShownState();
    }
    return 0;
}
