// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Which text lesson_input and lesson_text mean.
enum : std::int32_t {
    kPhrase = 0,
    kOffset = 1,
    kResult = 2,
    kLog = 3,  // with line feeds alone, as a text box shows it
    kProblemTitle = 4,
    kProblem = 5,
    kAnnouncement = 6,
    kCaption = 7,  // the desktop window's caption
};

extern "C" {

// Room for `length` code units of what the student typed into the phrase or the offset; the
// caller writes them there before the next click.
char16_t* lesson_input(std::int32_t which, std::int32_t length);
// Calculate (0) or Clear (1), on the typed phrase and offset.
void lesson_click(std::int32_t index);
// A field's text, or what the last click came to, as code units; valid until the next call.
const char16_t* lesson_text(std::int32_t which);
std::int32_t lesson_text_length(std::int32_t which);
// The code buffer, slot 0 unused.
const std::uint8_t* lesson_codes();
std::int32_t lesson_code_count();

}  // extern "C"
