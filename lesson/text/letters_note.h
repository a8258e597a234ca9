// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

// "Няма латински букви (A–Z) " and WHERE: the note on a text without the alphabet's letters.
std::u16string NoLettersNote(const cipher::Alphabet& alphabet, std::u16string_view where);

// The note on a text of so many LETTERS to break: without the alphabet's letters, that there
// is nothing to break; below FEW, "Текстът има само 12 букви. " and the ADVICE; from FEW on,
// none.
std::u16string BreakingNote(const cipher::Alphabet& alphabet, std::size_t letters, std::size_t few,
                            std::u16string_view advice);

}  // namespace lesson
