// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/exercises/answer_check.h"

namespace lesson {

// One cause that explains the wrong letters of an answer, as a teacher would name it: the
// sentence, then the first letter it explains as the student worked it out and as it should
// be, in the trace's own lines.
struct Diagnosis {
    std::u16string sentence;  // "Изглежда, че сте изместили назад вместо напред."
    std::u16string yours;  // "Вашето: Y - 3 = 89 - 3 = 86 -> V"; empty where no letter shows it
    std::u16string right;  // "Вярно: Y + 3 = 89 + 3 = 66 -> B"
};

// The cause of the marked check's wrong letters, worked from the letters FROM by the key in
// the direction; none where no single cause explains all of them, or four in five of three or
// more, or where a right letter goes against it.
std::optional<Diagnosis> Diagnose(const AnswerCheck& check, std::u16string_view from,
                                  const ExerciseKey& key, Direction direction,
                                  const cipher::Alphabet& alphabet);

// A key found for a text to break, the size of the alphabet less the right one: the key that
// shifts the other way. None for any other wrong key, which is not to be given away.
std::optional<Diagnosis> DiagnoseKey(std::u16string_view typed, std::int32_t key,
                                     const cipher::Alphabet& alphabet);

}  // namespace lesson
