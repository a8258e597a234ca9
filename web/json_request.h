// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// A request from the page: one flat JSON object whose members are strings or integers, as
// JSON.stringify writes them. Anything else is refused whole.
class Request {
public:
    // The request in the text, or nothing when the text is not such an object.
    static std::optional<Request> Read(std::string_view json);

    // A member's value, or nothing when it is missing or of the other kind.
    std::optional<std::u16string> Text(std::string_view name) const;
    std::optional<std::int64_t> Integer(std::string_view name) const;

private:
    struct Member {
        std::string name;
        bool isText = false;
        std::u16string text;
        std::int64_t integer = 0;
    };
    const Member* Find(std::string_view name, bool text) const;

    // A handful at most, so a list searched in turn.
    std::vector<Member> m_members;
};

}  // namespace page
