// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

// An answer with each letter of the other script that looks the same as one of the alphabet's
// own read as that letter: a Latin A typed on a phone into a Cyrillic answer is an А. The note
// says which letters were read so: „A“ (латинска) е прочетена като „А“.
struct LookAlikeReading {
    std::u16string text;
    std::u16string note;  // empty where none was read so
};
LookAlikeReading ReadLookAlikes(std::u16string_view answer, const cipher::Alphabet& alphabet);

}  // namespace lesson
