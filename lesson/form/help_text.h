// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "cipher/cipher.h"

namespace lesson {

// What the log box shows at start, before the first run: the cipher explained, twelve lines
// each ended by CR LF.
std::u16string_view HelpText();

// The fields as the window opens: a sample phrase, the classical offset, no result yet and
// the help text in the log.
cipher::FormFields InitialFields();

}  // namespace lesson
