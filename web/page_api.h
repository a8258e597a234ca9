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
    kCaption = 7,     // the desktop window's caption
    kCiphertext = 8,  // the encrypted text to break, an input only
};

// Which text of the breaking section lesson_break_text means; the first three take a row or
// a letter.
enum : std::int32_t {
    kDecoded = 0,   // the row's decoded letters, as many as the table shows
    kScore = 1,     // the row's chi-squared
    kExpected = 2,  // the letter's count in English text of the same length, shifted
    kBreakMessage = 3,
    kBreakAnnouncement = 4,
    kTrace = 5,  // the chosen row's decryption, with line feeds alone
};

extern "C" {

// Room for `length` code units of what the student typed into the phrase, the offset or the
// encrypted text; the caller writes them there before the next click or break.
char16_t* lesson_input(std::int32_t which, std::int32_t length);
// Calculate (0) or Clear (1), on the typed phrase and offset.
void lesson_click(std::int32_t index);
// A field's text, or what the last click came to, as code units; valid until the next call.
const char16_t* lesson_text(std::int32_t which);
std::int32_t lesson_text_length(std::int32_t which);
// The code buffer, slot 0 unused.
const std::uint8_t* lesson_codes();
std::int32_t lesson_code_count();

// Tries every offset on the typed encrypted text and chooses the likeliest row.
void lesson_break();
// Chooses a row of the offsets; its trace becomes kTrace.
void lesson_choose(std::int32_t row);
// The rows (25, or 0 without letters), the chosen one, and each row's offset.
std::int32_t lesson_break_rows();
std::int32_t lesson_break_chosen();
std::int32_t lesson_break_offset(std::int32_t row);
// How often letter i (0 for A) occurs in the text, and would in English of the same length.
std::int32_t lesson_letter_count(std::int32_t letter);
double lesson_expected_count(std::int32_t letter);
// A text of the section, for a row or a letter where it has one; valid until the next call.
const char16_t* lesson_break_text(std::int32_t which, std::int32_t index);
std::int32_t lesson_break_text_length(std::int32_t which, std::int32_t index);

}  // extern "C"
