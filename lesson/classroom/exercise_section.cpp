// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/exercise_section.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/practice.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/text/language.h"

namespace lesson {

namespace {

std::vector<Exercise> ExercisesOf(const std::optional<Assignment>& assignment) {
    return assignment ? VariantExercises(assignment->settings, assignment->variant)
                      : std::vector<Exercise>();
}

}  // namespace

ExerciseSection::ExerciseSection() { Show(*MakeExercise(ExerciseKind::kEncrypt, kFirstExercise)); }

bool ExerciseSection::Assigned(const ExerciseWork& work) const {
    return std::any_of(m_assigned.begin(), m_assigned.end(),
                       [&work](const Exercise& e) { return work.Of(e); });
}

WorkMoment ExerciseSection::Now() const {
    return {m_now.text, std::max(m_now.milliseconds, m_kept.cleared)};
}

void ExerciseSection::Keep() { m_kept.works[m_work] = m_practice.Work(); }

const ExerciseWork* ExerciseSection::FoundWork(const Exercise& exercise) const {
    const auto found = std::find_if(m_kept.works.begin(), m_kept.works.end(),
                                    [&exercise](const ExerciseWork& w) { return w.Of(exercise); });
    return found != m_kept.works.end() ? &*found : nullptr;
}

void ExerciseSection::KeepWithinCap() {
    std::vector<ExerciseWork>& works = m_kept.works;
    const ExerciseWork open = works[m_work];
    const auto order = [&](const ExerciseWork& work) {
        return std::pair(work.OfSameExercise(open) || Assigned(work), work.changed);
    };
    while (works.size() > kMostWorks) {
        works.erase(std::min_element(works.begin(), works.end(),
                                     [&order](const ExerciseWork& a, const ExerciseWork& b) {
                                         return order(a) < order(b);
                                     }));
    }
    m_work = static_cast<std::size_t>(FoundWork(m_practice.Current()) - works.data());
}

void ExerciseSection::Show(const Exercise& exercise) {
    std::vector<ExerciseWork>& works = m_kept.works;
    // An exercise only opened, and not the assignment's, leaves nothing to keep.
    if (m_work < works.size() && !Assigned(works[m_work]) && !works[m_work].Begun()) {
        works.erase(works.begin() + static_cast<std::ptrdiff_t>(m_work));
    }
    if (const ExerciseWork* found = FoundWork(exercise)) {
        m_work = static_cast<std::size_t>(found - works.data());
    } else {
        // Only opened, it is no change: work on it in another tab stays the later.
        works.push_back(WorkOn(exercise));
        works.back().opened = m_now.text;
        m_work = works.size() - 1;
    }
    m_practice = Practice(exercise, works[m_work]);
    KeepWithinCap();
    m_kept.kind = exercise.kind;
    m_kept.language = &LanguageOf(*exercise.alphabet);
    m_kept.number = exercise.number;
    m_message.clear();
    const std::u16string place = AssignedPlace();
    m_announcement = Joined({place, place.empty() ? u"" : u". ", m_practice.TaskSaid()});
}

void ExerciseSection::Open(ExerciseKind kind, std::u16string_view number,
                           const cipher::Alphabet& alphabet) {
    const std::optional<std::int32_t> read = NumberFrom(number, kFirstExercise, kLastExercise);
    if (!read) {
        m_message = WholeNumberNote(u"Номерът на упражнението", kLastExercise);
        m_announcement = m_message;
        return;
    }
    Show(*MakeExercise(kind, *read, alphabet));
}

void ExerciseSection::OpenNext() {
    const Exercise& open = m_practice.Current();
    Show(*MakeExercise(open.kind, open.number % kLastExercise + 1, *open.alphabet));
}

void ExerciseSection::SetTime(std::int64_t milliseconds) {
    // Within the years 1970 to 9999, which the moment's text has room for.
    const bool within = milliseconds > 0 && milliseconds < 253402300800000;
    m_now = within ? WorkMoment{MomentText(milliseconds), milliseconds} : WorkMoment{};
}

void ExerciseSection::Check(std::u16string_view answer, std::u16string_view key) {
    m_message.clear();
    m_practice.Check(answer, key, Now());
    Keep();
    m_announcement = m_practice.LastCheck().said;
}

void ExerciseSection::Type(std::u16string_view answer, std::u16string_view key) {
    if (m_practice.Type(answer, key, Now())) {
        Keep();
    }
}

void ExerciseSection::Hint() {
    m_message.clear();
    m_announcement = m_practice.Hint(Now());
    Keep();
}

void ExerciseSection::Reveal() {
    m_message.clear();
    m_announcement = m_practice.Reveal(Now());
    Keep();
}

std::u16string ExerciseSection::Score() const {
    std::int64_t tried = 0;
    std::int64_t withHints = 0;
    for (const ExerciseWork& work : m_kept.works) {
        tried += work.tried ? 1 : 0;
        withHints += work.solved && work.hints > 0 ? 1 : 0;
    }
    return u"Решени: " + Decimal(Solved()) + u" от " + Decimal(tried) + u" (" +
           Decimal(withHints) + u" с подсказка)";
}

std::int64_t ExerciseSection::Solved() const {
    return std::count_if(m_kept.works.begin(), m_kept.works.end(),
                         [](const ExerciseWork& work) { return work.solved; });
}

void ExerciseSection::StartAssignment(std::u16string_view code, std::u16string_view variant) {
    const CodeReading reading = ReadAssignmentCode(code);
    const std::optional<std::int32_t> number = NumberFrom(variant, 1, kMostVariants);
    m_assignmentMessage = reading.message;
    if (reading.settings && !number) {
        m_assignmentMessage = VariantNote();
    }
    if (!m_assignmentMessage.empty()) {
        m_announcement = m_assignmentMessage;
        return;
    }
    std::optional<Assignment>& assignment = m_kept.assignment;
    const std::u16string written = AssignmentCode(*reading.settings);
    if (!assignment || assignment->code != written || assignment->variant != *number) {
        assignment = Assignment{written, *reading.settings, *number, 0};
        m_assigned = ExercisesOf(assignment);
    }
    Show(m_assigned[assignment->place]);
}

void ExerciseSection::NextAssigned() {
    if (!m_kept.assignment) {
        return;
    }
    m_kept.assignment->place = (m_kept.assignment->place + 1) % m_assigned.size();
    Show(m_assigned[m_kept.assignment->place]);
}

std::u16string ExerciseSection::AssignedPlace() const {
    const auto found = std::find_if(m_assigned.begin(), m_assigned.end(),
                                    [this](const Exercise& e) { return m_practice.Work().Of(e); });
    if (found == m_assigned.end()) {
        return {};
    }
    return u"Упражнение " + Decimal(found - m_assigned.begin() + 1) + u" от " +
           Decimal(m_assigned.size());
}

HandIn ExerciseSection::HandInWork(const Student& student) {
    m_kept.student = student;
    if (!m_kept.assignment) {
        return {u"Предава се задание: първо въведете кода на заданието и варианта си.", {}, {}, {}};
    }
    std::vector<ExerciseWork> works;
    for (const Exercise& exercise : m_assigned) {
        const ExerciseWork* found = FoundWork(exercise);
        works.push_back(found != nullptr ? *found : WorkOn(exercise));
    }
    return lesson::HandInWork(student, *m_kept.assignment, works, m_now.text);
}

std::u16string ExerciseSection::Kept() const { return KeptText(m_kept); }

void ExerciseSection::Restore(std::u16string_view kept) {
    KeptReading reading = ReadKept(kept);
    if (!reading.progress) {
        m_message =
            u"Работата, запазена на това устройство, е повредена или е от друга версия "
            u"на програмата и не е заредена.";
        m_announcement = m_message;
        return;
    }
    m_kept = std::move(*reading.progress);
    m_assigned = ExercisesOf(m_kept.assignment);
    // No exercise is open yet, to be left.
    m_work = m_kept.works.size();
    Show(*MakeExercise(m_kept.kind, m_kept.number, *m_kept.language));
    m_keptNote = SetAsideNote(reading);
    if (!m_keptNote.empty()) {
        m_announcement = m_keptNote + u" " + m_announcement;
    }
}

ExerciseSection::Merged ExerciseSection::Merge(std::u16string_view kept) {
    if (kept.empty()) {
        return Merged::kWork;
    }
    KeptReading reading = ReadKept(kept);
    if (!reading.progress) {
        return Merged::kUnreadable;
    }
    const bool assigned = m_kept.assignment.has_value();
    const bool forgotten = lesson::Merge(m_kept, std::move(*reading.progress), m_practice.Work());
    if (forgotten || assigned != m_kept.assignment.has_value()) {
        m_assigned = ExercisesOf(m_kept.assignment);
    }
    if (!forgotten) {
        KeepWithinCap();
        return Merged::kWork;
    }
    // The exercise open stays open, with the work on it forgotten.
    m_work = m_kept.works.size();
    Show(m_practice.Current());
    m_announcement = u"Работата на това устройство е изчистена в друг раздел.";
    return Merged::kForgotten;
}

void ExerciseSection::Forget() {
    const WorkMoment now = m_now;
    *this = ExerciseSection();
    m_now = now;
    // Work changed at the very moment of forgetting is kept, as newer.
    m_kept.cleared = now.milliseconds;
    m_announcement = u"Работата на това устройство е изчистена.";
}

}  // namespace lesson
