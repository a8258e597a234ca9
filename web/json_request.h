// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace page {

// The longest request text read, in bytes: more than the longest text the page sends, a
// handed-in file of 1 MB, with each code unit written as \uXXXX.
inline constexpr std::size_t kLongestRequest = std::size_t{1} << 23U;

// A request from the page: one flat JSON object whose members are strings, integers or
// lists of strings, each name once, as JSON.stringify writes them. Anything else is refused
// whole.
class Request {
public:
    // The request in the text, or nothing when the text is not such an object or is longer
    // than kLongestRequest.
    static std::optional<Request> Read(std::string_view json);

    // A member's value, or nothing when it is missing or of another kind.
    std::optional<std::u16string> Text(std::string_view name) const;
    std::optional<std::int64_t> Integer(std::string_view name) const;
    std::optional<std::vector<std::u16string>> List(std::string_view name) const;

    // Every member's name, in the order of the text; valid as long as the request.
    std::vector<std::string_view> Names() const;

private:
    struct Member {
        std::string name;
        std::variant<std::u16string, std::int64_t, std::vector<std::u16string>> value;
    };
    template <typename Value>
    std::optional<Value> Get(std::string_view name) const;

    // A handful in any request the page writes, so a list searched in turn.
    std::vector<Member> m_members;
};

}  // namespace page
