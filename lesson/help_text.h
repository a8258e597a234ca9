// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace lesson {

// What the log box shows at start, before the first run: the cipher explained, twelve lines
// each ended by CR LF.
std::u16string_view HelpText();

}  // namespace lesson
