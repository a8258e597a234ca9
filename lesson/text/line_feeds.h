// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lesson {

// The text with each CR LF turned into a line feed alone, as a text box takes it.
std::u16string WithLineFeeds(const std::u16string& text);

}  // namespace lesson
