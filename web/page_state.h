// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/caesar/break_section.h"
#include "lesson/caesar/cyrillic_section.h"
#include "lesson/classroom/class_results.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/form/form.h"
#include "lesson/substitution/substitution_section.h"
#include "lesson/substitution/substitution_solving.h"
#include "lesson/vigenere/vigenere_break.h"
#include "lesson/vigenere/vigenere_section.h"

namespace page {

// The page's lesson: one form and one section of each kind for as long as the page is open.
class Page {
public:
    lesson::Form form;
    lesson::CyrillicSection cyrillic;
    lesson::BreakSection breaking;
    lesson::SubstitutionSection substitution;
    lesson::SubstitutionSolving solving;
    lesson::VigenereSection vigenere;
    lesson::VigenereBreak vigenereBreak;
    lesson::ClassResults results;

    // Made at their first use: making the first exercise would hold back the window's first
    // click, which needs none.
    lesson::ExerciseSection& Exercises() {
        if (!exercises) {
            exercises.emplace();
        }
        return *exercises;
    }

private:
    std::optional<lesson::ExerciseSection> exercises;
};

// The states that more than one section shows.
std::u16string_view AlphabetName(const cipher::Alphabet& alphabet);
std::string BreakState(const lesson::BreakSection& section, bool withTrace = true);
std::string ExerciseState(const lesson::ExerciseSection& section);

}  // namespace page
