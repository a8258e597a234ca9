// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/caesar/break_section.h"
#include "lesson/classroom/class_work.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/work_check.h"
#include "lesson/substitution/substitution_solving.h"

namespace lesson {

// A moment of the work: as its lines write it, and in milliseconds since 1970, by which the
// work of two tabs is merged.
struct WorkMoment {
    std::u16string text;
    std::int64_t milliseconds = 0;
};

// An exercise open and the work on it as the student does it: the answer typed and checked,
// the hints for finding a key, the whole answer on request; and every text shown of it. The
// work is for the caller to keep after each change.
class Practice {
public:
    // The exercise with the work on it so far; its last check shown again while the answer and
    // key are those checked.
    Practice(const Exercise& exercise, const ExerciseWork& work);
    // No exercise yet.
    Practice() = default;

    // Keeps the answer and key typed, within their caps, as changed at the moment; whether they
    // are other than those kept.
    bool Type(std::u16string_view answer, std::u16string_view key, const WorkMoment& now);
    // Checks the answer and key typed; solved where right before the answer was shown.
    void Check(std::u16string_view answer, std::u16string_view key, const WorkMoment& now);
    // The next hint for finding a key or solving a substitution, up to kHints, and what a
    // screen reader says of it; for the other kinds, and past the last, that there are no more.
    std::u16string Hint(const WorkMoment& now);
    // Shows the whole answer, and what a screen reader says of it; the exercise then counts as
    // not solved.
    std::u16string Reveal(const WorkMoment& now);

    const Exercise& Current() const { return m_exercise; }
    const ExerciseWork& Work() const { return m_work; }
    // What the student is asked, with the letters to work from; and as a screen reader says it,
    // after the exercise's number, the letters spelled: a run of them is no word to be read.
    std::u16string Task() const { return TaskText(m_exercise); }
    std::u16string TaskSaid() const;

    bool Checked() const { return m_checked; }
    // Whether the student finds the key, in a box of its own, with the hints for finding it.
    bool FindsKey() const { return m_exercise.kind == ExerciseKind::kFindKey; }
    // Whether the student solves a substitution, with the hints of solving one by hand: the
    // commonest letters, the commonest short words, then a letter.
    bool Solves() const { return m_exercise.kind == ExerciseKind::kSolveSubstitution; }
    const std::vector<std::u16string>& SolvingHints() const { return m_solving.Hints(); }
    // The last check as it is shown; empty before the first.
    const WorkCheck& LastCheck() const { return m_check; }
    // The window's arithmetic: its lines with their boxes; empty for the other kinds.
    const Calculation& Calculated() const { return m_calculation; }

    // The hints in the order they are given: the letters' chart beside the language's, the
    // commonest letter and the key it gives as the language's commonest, and the table of
    // every key.
    enum class HintStep : std::uint8_t { kChart = 1, kCommonest, kKeys };
    bool Shows(HintStep hint) const {
        return FindsKey() && m_work.hints >= static_cast<std::int32_t>(hint);
    }
    // "Използвани подсказки: 2 от 3", and after the last, the step that is left.
    std::u16string HintsUsed() const;
    const BreakSection& Breaking() const { return m_breaking; }
    // The commonest letter's hint once given, or empty.
    std::u16string CommonestLetterHint() const;

    // The whole answer once shown, or empty; and so headed, "Отговорът: …".
    std::u16string Answer() const;
    std::u16string AnswerLine() const;

    static constexpr std::int32_t kHints = 3;

private:
    Exercise m_exercise;
    ExerciseWork m_work;
    Calculation m_calculation;
    BreakSection m_breaking;
    SubstitutionSolving m_solving;
    bool m_checked = false;
    WorkCheck m_check;
};

}  // namespace lesson
