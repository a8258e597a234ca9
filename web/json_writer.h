// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
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

}  // namespace page
