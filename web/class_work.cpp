// SPDX-License-Identifier: GPL-3.0-or-later
// The work the browser keeps: written back with what another tab kept merged in.
#include <span>
#include <string>

#include "lesson/classroom/exercise_section.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

// The work to write over what is stored, with what is stored merged in; whether what is
// stored could not be read, and is to be set aside before it is written over.
std::string Keep(Page& page, const Values& values) {
    const bool unreadable =
        page.Exercises().Merge(values[0].text) == lesson::ExerciseSection::Merged::kUnreadable;
    return Object({{"kept", Quoted(page.Exercises().Kept())}, {"unreadable", Boolean(unreadable)}});
}

// What another tab kept, taken in: whether it had forgotten the work, and the exercises' state.
std::string Merge(Page& page, const Values& values) {
    const bool forgotten =
        page.Exercises().Merge(values[0].text) == lesson::ExerciseSection::Merged::kForgotten;
    return Object({{"forgotten", Boolean(forgotten)}, {"state", ExerciseState(page.Exercises())}});
}

constexpr Action kActions[] = {
    {"keep", {TextField("stored")}, Keep},
    {"merge", {TextField("stored")}, Merge},
};

}  // namespace

std::span<const Action> ClassWorkActions() { return kActions; }

}  // namespace page
