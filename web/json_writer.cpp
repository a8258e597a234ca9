// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_writer.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace page {

std::string Quoted(std::u16string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (const char16_t unit : text) {
        if (unit == u'"' || unit == u'\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += kHex[(unit >> shift) & 0xF];
            }
        }
    }
    return out + '"';
}

std::string Number(std::int64_t value) {
    std::string digits;
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}

std::string Boolean(bool value) { return value ? "true" : "false"; }

std::string Object(std::initializer_list<std::pair<std::string_view, std::string>> members) {
    std::string out = "{";
    for (const auto& [name, value] : members) {
        if (out.size() > 1) {
            out += ',';
        }
        out += '"';
        out += name;
        out += "\":";
        out += value;
    }
    return out + '}';
}

std::string Array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (const std::string& item : items) {
        if (out.size() > 1) {
            out += ',';
        }
        out += item;
    }
    return out + ']';
}

std::string QuotedArray(const std::vector<std::u16string>& texts) {
    return ArrayOf(texts, [](const std::u16string& text) { return Quoted(text); });
}

}  // namespace page
