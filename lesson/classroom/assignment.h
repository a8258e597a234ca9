// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lesson/classroom/teacher_sheet.h"

namespace lesson {

// A teacher's sheet settings as ten digits that a class copies from the board: the language,
// the kinds, the exercises per sheet, the first number, and a check digit that catches a
// digit copied wrong and most pairs of digits swapped. Written in groups, "103-054-7118".
std::u16string AssignmentCode(const SheetSettings& settings);
// The code of a sheet's choices; empty where they are refused.
std::u16string AssignmentCode(const TeacherSheet& sheet);

// The longest code a box takes: ten digits, and room for the blanks and hyphens between them.
inline constexpr std::size_t kAssignmentCodeCap = 20;

// The settings of a typed code, blanks and hyphens anywhere; or what is wrong with it.
struct CodeReading {
    std::optional<SheetSettings> settings;
    std::u16string message;
};
CodeReading ReadAssignmentCode(std::u16string_view typed);

// Whether the code of an assignment's link, the address after "#", is to be typed in for the
// student: written as a code, in digits, blanks and hyphens, and with other digits than the
// code typed already.
bool IsNewLinkedCode(std::u16string_view linked, std::u16string_view typed);

// "Вариантът е цяло число от 1 до 40."
std::u16string VariantNote();

}  // namespace lesson
