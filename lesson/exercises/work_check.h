// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"

namespace lesson {

// What a letter mark says, with its place: "Място 3: X вместо Y", "Място 3: липсва Y",
// "Преди място 3: излишна буква X".
std::u16string MarkSentence(const LetterMark& mark);
// A wrong or missing letter's line of arithmetic with its place, "Място 3: Y + 3 = …"; empty
// where the mark has none.
std::u16string MarkLine(const LetterMark& mark);

// An answer and a key typed for an exercise, checked: the letters, the key where it is to be
// found, and whether both are right; and where it is marked, what the student is shown of it.
struct WorkCheck {
    // For the window's arithmetic, the boxes counted as letters. Where the key is still to be
    // found, no letter is marked: any, right or wrong, would give a letter of the answer away.
    AnswerCheck letters;
    KeyCheck key;
    CalculationCheck boxes;  // the window's arithmetic box by box; empty for the other kinds
    bool right = false;
    // The one cause that explains the wrong letters, where there is one.
    std::optional<Diagnosis> diagnosis;
    // Where most letters are missing, they are not marked one by one but said in a line:
    // "Липсват 66 букви: от 4-та до 68-ма."; otherwise empty.
    std::u16string missingNote;
    // "Вярно! …" when all was right, the key's result, the count; and with what follows it,
    // what a screen reader says.
    std::u16string verdict;
    std::u16string said;
};
// Checks the answer and key, and where marked, marks them; the class's files need the count
// alone.
WorkCheck Check(const Exercise& exercise, std::u16string_view answer, std::u16string_view key,
                bool marked = true);

}  // namespace lesson
