// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace lesson {

// A name or class as typed, with blanks trimmed and each run of blanks made one U+0020: blanks
// are U+0020, tab, U+00A0, U+1680, U+2000–U+200A, U+202F, U+205F, U+3000.
std::u16string TidiedName(std::u16string_view typed);

// Why `text` cannot name a student or a class, as a whole sentence that begins with `field`
// ("Името" or "Класът"), naming a character refused by its code; empty where it can. Refused:
// control and format characters but the tab, which is a blank, unpaired surrogates, and, where
// it needs one, a text without a Latin, Greek or Cyrillic letter: a name does, a class such as
// "12" does not.
std::u16string NameFault(std::u16string_view field, std::u16string_view text,
                         bool needsLetter = true);

// A class as the teacher's table compares it: blanks dropped, Latin and Cyrillic letters in
// lower case, so that "9А", "9а" and "9 а" are one class.
std::u16string ClassKey(std::u16string_view className);

}  // namespace lesson
