// SPDX-License-Identifier: GPL-3.0-or-later
// Exercises: practice by kind and number, and an assignment worked through and handed in.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/practice.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/work_check.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

std::u16string_view MarkName(lesson::LetterMark::Kind kind) {
    switch (kind) {
        case lesson::LetterMark::Kind::kWrong:
            return u"wrong";
        case lesson::LetterMark::Kind::kMissing:
            return u"missing";
        case lesson::LetterMark::Kind::kExtra:
            return u"extra";
        case lesson::LetterMark::Kind::kRight:
            break;
    }
    return u"right";
}

std::string Letter(char16_t letter) {
    return Quoted(letter == 0 ? std::u16string() : std::u16string(1, letter));
}

std::string MarkState(const lesson::LetterMark& mark) {
    return Object({{"kind", Quoted(MarkName(mark.kind))},
                   {"place", Number(static_cast<std::int64_t>(mark.place))},
                   {"expected", Letter(mark.expected)},
                   {"given", Letter(mark.given)},
                   {"sentence", Quoted(lesson::MarkSentence(mark))},
                   {"line", Quoted(lesson::MarkLine(mark))}});
}

std::string LinesState(const std::vector<lesson::CalculationLine>& lines) {
    return ArrayOf(lines, [](const lesson::CalculationLine& line) {
        return Object(
            {{"texts", QuotedArray(line.texts)}, {"boxes", ArrayOf(line.boxes, [](std::size_t box) {
                                                      return Number(static_cast<std::int64_t>(box));
                                                  })}});
    });
}

// The window's arithmetic to fill in: its headings, its lines of texts between boxes, and each
// box's name; null for the other kinds.
std::string CalculationState(const lesson::Calculation& calculation) {
    if (calculation.boxes.empty()) {
        return "null";
    }
    return Object({{"encodeHeading", Quoted(calculation.encodeHeading)},
                   {"decodeHeading", Quoted(calculation.decodeHeading)},
                   {"encode", LinesState(calculation.encodeLines)},
                   {"decode", LinesState(calculation.decodeLines)},
                   {"names", ArrayOf(calculation.boxes, [](const lesson::CalculationBox& box) {
                        return Quoted(box.name);
                    })}});
}

// Each box of the last check: right, wrong or neither, and for a wrong one its reason.
std::string BoxState(const lesson::BoxMark& mark) {
    return Object({{"right", Boolean(mark.right)},
                   {"wrong", Boolean(mark.wrong)},
                   {"reason", Quoted(mark.reason)}});
}

std::string OpenExercise(Page& page, const Values& values) {
    page.Exercises().Open(lesson::KindNamed(values[0].text)->kind, values[1].text,
                          *values[2].alphabet);
    return ExerciseState(page.Exercises());
}

std::string CheckAnswer(Page& page, const Values& values) {
    page.Exercises().Check(values[0].text, values[1].text);
    return ExerciseState(page.Exercises());
}

std::string StartAssignment(Page& page, const Values& values) {
    page.Exercises().StartAssignment(values[0].text, values[1].text);
    return ExerciseState(page.Exercises());
}

// An answer and key typed, kept with the exercise; nothing to show.
std::string Type(Page& page, const Values& values) {
    page.Exercises().Type(values[0].text, values[1].text);
    return Object({});
}

std::string Restore(Page& page, const Values& values) {
    page.Exercises().Restore(values[0].text);
    return ExerciseState(page.Exercises());
}

// The file to save, with its name, or what keeps the student from handing in.
std::string HandIn(Page& page, const Values& values) {
    const lesson::HandIn handIn =
        page.Exercises().HandInWork({values[0].text, values[1].text, values[2].text});
    return Object({{"message", Quoted(handIn.message)},
                   {"fileName", Quoted(handIn.fileName)},
                   {"saved", Quoted(handIn.saved)},
                   {"text", Quoted(handIn.text)}});
}

// Whether an assignment's link brings a code to type in for the student.
// A handler of the table takes the page to change, though this changes nothing.
// cppcheck-suppress constParameter
std::string LinkedCode(Page& /*page*/, const Values& values) {
    return Object({{"isNew", Boolean(lesson::IsNewLinkedCode(values[0].text, values[1].text))}});
}

// A step that takes no arguments, answered with the section's state.
template <void (lesson::ExerciseSection::*Step)()>
std::string ExerciseStep(Page& page, const Values& /*values*/) {
    (page.Exercises().*Step)();
    return ExerciseState(page.Exercises());
}

// The exercises are made here if they were not yet.
std::string ShownExercise(Page& page, const Values& /*values*/) {
    return ExerciseState(page.Exercises());
}

bool IsKind(const Page& /*page*/, const Value& kind) {
    return lesson::KindNamed(kind.text) != nullptr;
}

constexpr Action kActions[] = {
    {"exercise",
     {Checked(TextField("kind"), "a known kind", IsKind), TextField("number"), KnownAlphabet()},
     OpenExercise},
    {"nextExercise", {}, ExerciseStep<&lesson::ExerciseSection::OpenNext>},
    {"checkAnswer", {TextField("answer"), TextField("key")}, CheckAnswer},
    {"hint", {}, ExerciseStep<&lesson::ExerciseSection::Hint>},
    {"reveal", {}, ExerciseStep<&lesson::ExerciseSection::Reveal>},
    {"showExercise", {}, ShownExercise},
    {"assignment", {TextField("code"), TextField("variant")}, StartAssignment},
    {"nextAssigned", {}, ExerciseStep<&lesson::ExerciseSection::NextAssigned>},
    {"type", {TextField("answer"), TextField("key")}, Type},
    {"restore", {TextField("kept")}, Restore},
    {"forget", {}, ExerciseStep<&lesson::ExerciseSection::Forget>},
    {"handIn", {TextField("name"), TextField("className"), TextField("number")}, HandIn},
    {"linkedCode", {TextField("linked"), TextField("typed")}, LinkedCode},
};

}  // namespace

// The exercise, the last check letter by letter, the hints to show (with the breaking
// section's chart and table once asked for), the answer once shown, and the score.
std::string ExerciseState(const lesson::ExerciseSection& section) {
    using Step = lesson::Practice::HintStep;
    const lesson::Practice& practice = section.Practised();
    const lesson::Exercise& exercise = practice.Current();
    const lesson::WorkCheck& check = practice.LastCheck();
    const std::optional<lesson::Assignment>& assignment = section.Assigned();
    const std::optional<lesson::Diagnosis>& diagnosis = check.diagnosis;
    return Object(
        {{"exercise", Quoted(practice.Work().Name())},
         {"kind", Quoted(lesson::NameOf(exercise.kind).name)},
         {"alphabet", Quoted(AlphabetName(*exercise.alphabet))},
         {"number", Number(std::int64_t{exercise.number})},
         {"accepted", Boolean(section.NumberAccepted())},
         {"task", Quoted(practice.Task())},
         {"message", Quoted(section.Message())},
         {"checked", Boolean(practice.Checked())},
         {"solved", Boolean(practice.Work().solved)},
         {"findsKey", Boolean(practice.FindsKey())},
         {"solves", Boolean(practice.Solves())},
         {"solvingHints", QuotedArray(practice.SolvingHints())},
         {"marks", ArrayOf(check.letters.marks, MarkState)},
         {"verdict", Quoted(check.verdict)},
         {"diagnosis", Quoted(diagnosis ? diagnosis->sentence : u"")},
         {"diagnosisLines", Array({Quoted(diagnosis ? diagnosis->yours : u""),
                                   Quoted(diagnosis ? diagnosis->right : u"")})},
         {"missingNote", Quoted(check.missingNote)},
         {"calculation", CalculationState(practice.Calculated())},
         {"boxMarks", ArrayOf(check.boxes.marks, BoxState)},
         {"hintsUsed", Quoted(practice.HintsUsed())},
         {"showsChart", Boolean(practice.Shows(Step::kChart))},
         {"showsCommonest", Boolean(practice.Shows(Step::kCommonest))},
         {"showsKeys", Boolean(practice.Shows(Step::kKeys))},
         {"commonest", Quoted(practice.CommonestLetterHint())},
         {"breaking", practice.Shows(Step::kChart) ? BreakState(practice.Breaking()) : "null"},
         {"answer", Quoted(practice.AnswerLine())},
         {"score", Quoted(section.Score())},
         {"solvedCount", Number(section.Solved())},
         {"typedAnswer", Quoted(practice.Work().answer)},
         {"typedKey", Quoted(practice.Work().key)},
         {"assignment", Quoted(assignment ? assignment->code : u"")},
         {"variant", Number(assignment ? assignment->variant : 0)},
         {"assignedPlace", Quoted(section.AssignedPlace())},
         {"assignmentMessage", Quoted(section.AssignmentMessage())},
         {"studentName", Quoted(section.StudentTyped().name)},
         {"studentClass", Quoted(section.StudentTyped().className)},
         {"studentNumber", Quoted(section.StudentTyped().number)},
         {"keptNote", Quoted(section.KeptNote())},
         {"announcement", Quoted(section.Announcement())}});
}

std::span<const Action> ExerciseActions() { return kActions; }

}  // namespace page
