// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercises/exercise.h"

namespace lesson {

// The window's arithmetic as an exercise: a short word and its key, with the numbers and
// letters of its trace left blank for the student to fill in. For A to Z the lines are the
// window's, on character codes, the way back with its sign in the amount's box ("66 +23 = 89");
// for Cyrillic, the Cyrillic section's, on places.

// One blank: what goes in it, for a screen reader ("Код на Y"), what the trace writes there
// ("89", "B", "+23"), and the right arithmetic in one line, said when the box is wrong
// ("89 + 3 = 92, а след Z (90) се продължава от A: 92 - 26 = 66").
struct CalculationBox {
    std::u16string name;
    std::u16string expected;
    std::u16string reason;
};

// A line of the trace: its text between the boxes, and the boxes, in turn. The text before
// box n is texts[n]; the last text follows the last box.
struct CalculationLine {
    std::vector<std::u16string> texts;  // one more than boxes
    std::vector<std::size_t> boxes;     // indices into Calculation::boxes
};

struct Calculation {
    std::u16string encodeHeading;  // the trace's own headings
    std::u16string decodeHeading;
    std::vector<CalculationLine> encodeLines;  // a line per letter
    std::vector<CalculationLine> decodeLines;
    std::vector<CalculationBox> boxes;  // in the order of the lines
};

// The lines and boxes of an exercise of the kind kCalculate.
Calculation CalculationOf(const Exercise& exercise);

// The boxes' values as one answer, separated by this; the boxes' values read back, as many as
// there are boxes, the missing ones empty.
inline constexpr char16_t kBoxSeparator = u';';
std::vector<std::u16string> BoxValues(std::u16string_view answer, std::size_t boxes);
// The most characters a box takes: a sign and the three digits of the largest code.
inline constexpr std::size_t kBoxCap = 4;

// Each box checked against the trace: a number read as a whole number, blanks anywhere and a
// leading sign allowed; a letter read as the alphabet's capital, look-alikes too. A box filled
// in wrong has a reason as shown and said, its name and the right arithmetic: "Код на Y, буква
// 1: Кодът на Y е 89: …"; an empty one has none, which would give its value away.
struct BoxMark {
    bool filled = false;
    bool right = false;
    bool wrong = false;  // filled, and not right
    std::u16string reason;
};
struct CalculationCheck {
    std::vector<BoxMark> marks;  // one per box
    std::size_t right = 0;
    std::size_t filled = 0;
    std::u16string summary;  // "5 от 7 полета са верни"
};
CalculationCheck CheckCalculation(const Calculation& calculation, std::u16string_view answer,
                                  const cipher::Alphabet& alphabet);

// A line as printed: with a blank for each box on the student's page, and with the right
// values on the answers' page.
std::u16string BlankLine(const CalculationLine& line);
std::u16string FilledLine(const Calculation& calculation, const CalculationLine& line);
// Every line filled in, one after another, "; " between them: the whole answer.
std::u16string CalculationAnswer(const Exercise& exercise);

}  // namespace lesson
