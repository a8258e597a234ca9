// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "cipher/cipher.h"

namespace lesson {

// What a click on Calculate or Clear comes to, beyond the fields it changed: a problem to
// show the student in a warning, or else the sentence a screen reader says, since nothing
// changes where the focus is.
struct ClickOutcome {
    std::u16string problemTitle;  // empty when the click went through
    std::u16string problem;
    std::u16string announcement;  // empty with a problem, and for an index without a button
};

// Runs the click through the logic. Nothing escapes: whatever the logic left in the fields
// stays, and a failure becomes the problem to show.
ClickOutcome Click(std::int16_t index, cipher::FormFields& fields, cipher::CodeBuffer& codes);

}  // namespace lesson
