// SPDX-License-Identifier: GPL-3.0-or-later
// Sends arbitrary bytes through the page's boundary as one request, and checks what the page
// relies on whatever comes in: the response is an object in printable ASCII whose length is
// the one returned, and a refused request changes nothing. The lesson lives on from input to
// input, as it does while the page is open, so requests meet every state the others left.
#include <algorithm>
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

// What the page relies on in every response: printable ASCII, so that it crosses the pipe
// and the module's memory unchanged, and one object. Whether its strings are written right
// the writer's own test checks, and the differential parses every response.
void CheckResponse(std::string_view response) {
    Expect(
        std::all_of(response.begin(), response.end(), [](char c) { return c >= 0x20 && c < 0x7F; }),
        "the response is printable ASCII");
    Expect(response.starts_with('{') && response.ends_with('}'), "the response is an object");
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
