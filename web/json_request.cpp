// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_request.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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
        const std::optional<std::u16string> name = reader.String();
        if (!name || !reader.Take(':')) {
            return std::nullopt;
        }
        std::string key;
        for (const char16_t unit : *name) {
            if (unit >= 0x80) {
                return std::nullopt;  // the page's names are ASCII
            }
            key.push_back(static_cast<char>(unit));
        }
        Member member;
        member.name = std::move(key);
        if (reader.Peek('"')) {
            std::optional<std::u16string> text = reader.String();
            if (!text) {
                return std::nullopt;
            }
            member.isText = true;
            member.text = std::move(*text);
        } else if (const std::optional<std::int64_t> integer = reader.Integer()) {
            member.integer = *integer;
        } else {
            return std::nullopt;
        }
        request.m_members.push_back(std::move(member));
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    return request;
}

// The last member of the name, as JSON.parse keeps it, if it is of the kind asked for.
const Request::Member* Request::Find(std::string_view name, bool text) const {
    const auto found = std::find_if(m_members.rbegin(), m_members.rend(),
                                    [name](const Member& member) { return member.name == name; });
    return found != m_members.rend() && found->isText == text ? &*found : nullptr;
}

std::optional<std::u16string> Request::Text(std::string_view name) const {
    const Member* member = Find(name, true);
    return member != nullptr ? std::optional(member->text) : std::nullopt;
}

std::optional<std::int64_t> Request::Integer(std::string_view name) const {
    const Member* member = Find(name, false);
    return member != nullptr ? std::optional(member->integer) : std::nullopt;
}

}  // namespace page
