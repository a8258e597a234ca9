// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's sheet of the kinds and counts chosen, and the assignment of the same choices.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "lesson/classroom/assignment.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

lesson::TeacherSheet RequestedSheet(const Values& values) {
    std::vector<lesson::ExerciseKind> kinds;
    std::transform(values[0].list.begin(), values[0].list.end(), std::back_inserter(kinds),
                   [](const std::u16string& name) { return lesson::KindNamed(name)->kind; });
    return lesson::MakeTeacherSheet(kinds, values[1].text, values[2].text, values[3].text,
                                    *values[4].alphabet);
}

std::string ExerciseOnSheet(const lesson::Exercise& exercise) {
    return Object({{"task", Quoted(lesson::SheetTaskLine(exercise))},
                   {"groups", QuotedArray(lesson::SheetLetterGroups(exercise))},
                   {"keyBoxes", Number(static_cast<std::int64_t>(lesson::SheetKeyBoxes(exercise)))},
                   {"calculation", ArrayOf(lesson::SheetCalculation(exercise),
                                           [](const lesson::SheetBlock& block) {
                                               return Object({{"heading", Quoted(block.heading)},
                                                              {"lines", QuotedArray(block.lines)}});
                                           })},
                   {"frequencies", ArrayOf(lesson::SheetFrequencies(exercise), QuotedArray)},
                   {"answer", Quoted(lesson::SheetAnswerLine(exercise))}});
}

// The teacher's sheets for the kinds named and the counts typed: each variant's heading and
// its exercises' lines with their answers, or what is wrong with the choices.
std::string Sheet(Page& /*page*/, const Values& values) {
    const lesson::TeacherSheet sheet = RequestedSheet(values);
    std::vector<std::string> pages;
    for (std::size_t v = 0; v < sheet.variants.size(); ++v) {
        pages.push_back(Object({{"heading", Quoted(lesson::VariantHeading(sheet, v))},
                                {"exercises", ArrayOf(sheet.variants[v], ExerciseOnSheet)}}));
    }
    return Object({{"message", Quoted(sheet.message)},
                   {"nameLine", Quoted(lesson::kSheetNameLine)},
                   {"keyLabel", Quoted(lesson::kSheetKeyLabel)},
                   {"answersHeading", Quoted(lesson::kSheetAnswersHeading)},
                   {"variants", Array(pages)}});
}

// The assignment of a sheet's choices, as its code; or what is wrong with the choices.
std::string AssignmentCodeOf(Page& /*page*/, const Values& values) {
    const lesson::TeacherSheet sheet = RequestedSheet(values);
    return Object(
        {{"message", Quoted(sheet.message)}, {"code", Quoted(lesson::AssignmentCode(sheet))}});
}

bool AreKinds(const Page& /*page*/, const Value& kinds) {
    const auto& names = kinds.list;
    return std::all_of(names.begin(), names.end(), [](const std::u16string& name) {
        return lesson::KindNamed(name) != nullptr;
    });
}

constexpr std::array<Field, 5> kChoices = {Checked(ListField("kinds"), "no unknown kind", AreKinds),
                                           TextField("perSheet"), TextField("variants"),
                                           TextField("first"), KnownAlphabet()};

constexpr Action kActions[] = {
    {"sheet", kChoices, Sheet},
    {"assignmentCode", kChoices, AssignmentCodeOf},
};

}  // namespace

std::span<const Action> SheetActions() { return kActions; }

}  // namespace page
