// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace page {

// JSON values written as ASCII text, so that they cross to the page and through a pipe
// unchanged: every code unit outside printable ASCII, a lone surrogate included, is written
// as \uXXXX.
std::string Quoted(std::u16string_view text);
std::string Number(std::int64_t value);
std::string Boolean(bool value);
// An object of already written values, its members in the order given.
std::string Object(std::initializer_list<std::pair<std::string_view, std::string>> members);
std::string Array(const std::vector<std::string>& items);
std::string QuotedArray(const std::vector<std::u16string>& texts);
// An array of each item as written.
template <typename Items, typename Write>
std::string ArrayOf(const Items& items, Write write) {
    std::vector<std::string> written;
    std::transform(std::begin(items), std::end(items), std::back_inserter(written), write);
    return Array(written);
}

}  // namespace page
