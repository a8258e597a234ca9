// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercise.h"

namespace lesson {

inline constexpr std::int32_t kMostPerSheet = 20;
inline constexpr std::int32_t kMostVariants = 40;

// The teacher's sheets: one variant per student, each with its exercises, the same on every
// machine for the same choices.
struct TeacherSheet {
    std::u16string message;  // what is wrong with the choices, with no variants; or empty
    std::vector<std::vector<Exercise>> variants;
};

// Variant v's exercise e (from 0) has the number first + v * perSheet + e, after 9999 the
// first again, and the chosen kinds in turn, all in the alphabet.
TeacherSheet MakeTeacherSheet(std::span<const ExerciseKind> kinds, std::u16string_view perSheet,
                              std::u16string_view variants, std::u16string_view first,
                              const cipher::Alphabet& alphabet = cipher::LatinAlphabet());

}  // namespace lesson
