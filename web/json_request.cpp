// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_request.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace page {

namespace {

// Reads JSON from the front of a text, one token at a time; every read fails, and leaves
// nothing half read, where the text is not what was expected.
class Reader {
public:
    explicit Reader(std::string_view json) : m_json(json) {}

    bool AtEnd() {
        SkipBlanks();
        return m_at == m_json.size();
    }

    bool Take(char expected) {
        SkipBlanks();
        if (m_at < m_json.size() && m_json[m_at] == expected) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool Peek(char expected) {
        SkipBlanks();
        return m_at < m_json.size() && m_json[m_at] == expected;
    }

    // A string's code units, with its escapes undone; lone surrogates stay as they are.
    std::optional<std::u16string> String() {
        if (!Take('"')) {
            return std::nullopt;
        }
        std::u16string text;
        while (m_at < m_json.size()) {
            const char c = m_json[m_at++];
            if (c == '"') {
                return text;
            }
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80) {
                return std::nullopt;  // the page writes ASCII alone
            }
            if (c != '\\') {
                text.push_back(static_cast<char16_t>(c));
                continue;
            }
            const std::optional<char16_t> unit = Escaped();
            if (!unit) {
                return std::nullopt;
            }
            text.push_back(*unit);
        }
        return std::nullopt;
    }

    // A member's name: a string of ASCII alone, as the page's names are.
    std::optional<std::string> Name() {
        const std::optional<std::u16string> text = String();
        if (!text ||
            std::any_of(text->begin(), text->end(), [](char16_t unit) { return unit >= 0x80; })) {
            return std::nullopt;
        }
        return std::string(text->begin(), text->end());
    }

    // A list of strings alone: a number, a list or an object among them refuses the whole.
    std::optional<std::vector<std::u16string>> StringList() {
        if (!Take('[')) {
            return std::nullopt;
        }
        std::vector<std::u16string> items;
        if (Take(']')) {
            return items;
        }
        do {
            std::optional<std::u16string> item = String();
            if (!item) {
                return std::nullopt;
            }
            items.push_back(std::move(*item));
        } while (Take(','));
        if (!Take(']')) {
            return std::nullopt;
        }
        return items;
    }

    // An integer without fraction or exponent that fits 64 bits.
    std::optional<std::int64_t> Integer() {
        SkipBlanks();
        const bool negative = m_at < m_json.size() && m_json[m_at] == '-';
        std::size_t at = m_at + (negative ? 1 : 0);
        const std::size_t first = at;
        std::uint64_t magnitude = 0;
        constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
        while (at < m_json.size() && m_json[at] >= '0' && m_json[at] <= '9') {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(m_json[at++] - '0');
            if (magnitude > kLimit || at - first > 19) {
                return std::nullopt;
            }
        }
        // JSON writes no leading zeros: "007" is not a number of the page's.
        if (at == first || (at - first > 1 && m_json[first] == '0') ||
            (magnitude == kLimit && !negative) ||
            (at < m_json.size() && (m_json[at] == '.' || m_json[at] == 'e' || m_json[at] == 'E'))) {
            return std::nullopt;
        }
        m_at = at;
        return negative ? static_cast<std::int64_t>(0 - magnitude)
                        : static_cast<std::int64_t>(magnitude);
    }

private:
    void SkipBlanks() {
        while (m_at < m_json.size() && (m_json[m_at] == ' ' || m_json[m_at] == '\t' ||
                                        m_json[m_at] == '\n' || m_json[m_at] == '\r')) {
            ++m_at;
        }
    }

    std::optional<char16_t> Escaped() {
        if (m_at >= m_json.size()) {
            return std::nullopt;
        }
        switch (m_json[m_at++]) {
            case '"':
                return u'"';
            case '\\':
                return u'\\';
            case '/':
                return u'/';
            case 'b':
                return u'\b';
            case 'f':
                return u'\f';
            case 'n':
                return u'\n';
            case 'r':
                return u'\r';
            case 't':
                return u'\t';
            case 'u':
                return HexUnit();
            default:
                return std::nullopt;
        }
    }

    std::optional<char16_t> HexUnit() {
        if (m_json.size() - m_at < 4) {
            return std::nullopt;
        }
        unsigned unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_json[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            unit = unit * 16 + static_cast<unsigned>(digit);
        }
        return static_cast<char16_t>(unit);
    }

    std::string_view m_json;
    std::size_t m_at = 0;
};

}  // namespace

std::optional<Request> Request::Read(std::string_view json) {
    if (json.size() > kLongestRequest) {
        return std::nullopt;
    }
    Reader reader(json);
    Request request;
    if (!reader.Take('{')) {
        return std::nullopt;
    }
    bool first = true;
    while (!reader.Take('}')) {
        if (!first && !reader.Take(',')) {
            return std::nullopt;
        }
        first = false;
        std::optional<std::string> name = reader.Name();
        if (!name || !reader.Take(':')) {
            return std::nullopt;
        }
        Member member{std::move(*name), {}};
        if (reader.Peek('"')) {
            std::optional<std::u16string> text = reader.String();
            if (!text) {
                return std::nullopt;
            }
            member.value = std::move(*text);
        } else if (reader.Peek('[')) {
            std::optional<std::vector<std::u16string>> list = reader.StringList();
            if (!list) {
                return std::nullopt;
            }
            member.value = std::move(*list);
        } else if (const std::optional<std::int64_t> integer = reader.Integer()) {
            member.value = *integer;
        } else {
            return std::nullopt;
        }
        request.m_members.push_back(std::move(member));
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    // JSON.stringify writes each name once: a name twice is a forged or broken request, and
    // which of the two was meant is not for the reader to guess.
    std::vector<std::string_view> names = request.Names();
    std::sort(names.begin(), names.end());
    if (std::adjacent_find(names.begin(), names.end()) != names.end()) {
        return std::nullopt;
    }
    return request;
}

template <typename Value>
std::optional<Value> Request::Get(std::string_view name) const {
    const auto found = std::find_if(m_members.begin(), m_members.end(),
                                    [name](const Member& member) { return member.name == name; });
    if (found == m_members.end()) {
        return std::nullopt;
    }
    const Value* value = std::get_if<Value>(&found->value);
    return value != nullptr ? std::optional(*value) : std::nullopt;
}

std::optional<std::u16string> Request::Text(std::string_view name) const {
    return Get<std::u16string>(name);
}

std::optional<std::int64_t> Request::Integer(std::string_view name) const {
    return Get<std::int64_t>(name);
}

std::optional<std::vector<std::u16string>> Request::List(std::string_view name) const {
    return Get<std::vector<std::u16string>>(name);
}

std::vector<std::string_view> Request::Names() const {
    std::vector<std::string_view> names(m_members.size());
    std::transform(m_members.begin(), m_members.end(), names.begin(),
                   [](const Member& member) { return std::string_view(member.name); });
    return names;
}

}  // namespace page
