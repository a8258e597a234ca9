// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/language.h"

namespace lesson {

inline constexpr std::int32_t kMostPerSheet = 20;
inline constexpr std::int32_t kMostVariants = 40;

// The teacher's choices that make the sheets, and so an assignment; every sheet has a kind.
struct SheetSettings {
    const Language* language = &Languages().front();
    std::uint32_t kinds = 0;    // a bit for each row of kExerciseKinds, the first the lowest
    std::int32_t perSheet = 0;  // from 1 to kMostPerSheet
    std::int32_t first = 0;     // from 1 to 9999
};

// Variant v's exercise e (from 0) has the number first + (v - 1) * perSheet + e, after 9999
// the first again, and the chosen kinds in turn.
struct SheetPlace {
    ExerciseKind kind;
    std::int32_t number;
};
SheetPlace PlaceOnSheet(const SheetSettings& settings, std::int32_t variant, std::int32_t exercise);
std::vector<Exercise> VariantExercises(const SheetSettings& settings, std::int32_t variant);

// The teacher's sheets: one variant per student, each with its exercises, the same on every
// machine for the same choices.
struct TeacherSheet {
    std::u16string message;  // what is wrong with the choices, with no variants; or empty
    SheetSettings settings;
    std::vector<std::vector<Exercise>> variants;
};

// The words of the printed sheets: the line for the student's name, and the heading of the
// answers' pages.
inline constexpr std::u16string_view kSheetNameLine = u"Име: ______________________  Клас: ______";
inline constexpr std::u16string_view kSheetAnswersHeading = u"Отговори";
// The heading of a sheet's variant by its place from 0, "Вариант 2", with the alphabet in
// brackets where it is not the first: a number gives another exercise in each.
std::u16string VariantHeading(const TeacherSheet& sheet, std::size_t variant);
// An exercise on its variant's page, "Упражнение 7. Шифрирайте …", and among the answers,
// "Упражнение 7: …". Where the letters are printed with boxes under them, the task stops
// before them: "Упражнение 7. Шифрирайте с ключ 3:".
std::u16string SheetTaskLine(const Exercise& exercise);
std::u16string SheetAnswerLine(const Exercise& exercise);

// The letters an exercise gives, printed with an empty box under each for the student's
// letter: the sentence to encrypt by its words, in the alphabet's capitals; the letters to
// decrypt in groups of kSheetGroup, as cipher text is written, which gives no word away; a
// substitution to solve by its words, which are the way in. None for the other kinds.
inline constexpr std::size_t kSheetGroup = 5;
std::vector<std::u16string> SheetLetterGroups(const Exercise& exercise);

// How many boxes the student writes the key found in, after kSheetKeyLabel: one for each digit
// of the largest key; none where there is no key to find.
std::size_t SheetKeyBoxes(const Exercise& exercise);
inline constexpr std::u16string_view kSheetKeyLabel = u"Ключ:";

// A calculation as printed for the student: each of its two headings, with its lines and a
// blank in each box. None for the other kinds.
struct SheetBlock {
    std::u16string heading;
    std::vector<std::u16string> lines;
};
std::vector<SheetBlock> SheetCalculation(const Exercise& exercise);

// A substitution's table of frequencies, printed beside its letters: rows of cells, each
// headed by its name, of the cipher letters, the commonest first, how often each occurs, and
// the language's letter as common. None for the other kinds.
std::vector<std::vector<std::u16string>> SheetFrequencies(const Exercise& exercise);

// The sheets of the choices typed, each kind once and in the order of kExerciseKinds.
TeacherSheet MakeTeacherSheet(std::span<const ExerciseKind> kinds, std::u16string_view perSheet,
                              std::u16string_view variants, std::u16string_view first,
                              const cipher::Alphabet& alphabet = cipher::LatinAlphabet());

}  // namespace lesson
