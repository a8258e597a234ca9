// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/practice.h"
#include "lesson/exercises/exercise.h"

namespace lesson {

// What the page's section "Упражнения" shows: an exercise by its kind and number, or a
// teacher's assignment worked through and handed in; the score of the device, and the work
// kept on it. Every text it shows comes from here.
class ExerciseSection {
public:
    // Opens with the first exercise of the first kind.
    ExerciseSection();

    // Opens the exercise of this kind and number in the alphabet; a number outside 1-9999, or
    // not a number, changes nothing but the message.
    void Open(ExerciseKind kind, std::u16string_view number,
              const cipher::Alphabet& alphabet = cipher::LatinAlphabet());
    // Opens the next number of the same kind and alphabet, after 9999 the first.
    void OpenNext();
    // The exercise open's actions, kept on the device.
    void Check(std::u16string_view answer, std::u16string_view key);
    void Hint();
    void Reveal();
    void Type(std::u16string_view answer, std::u16string_view key);

    // The moment, in milliseconds since 1970, of the actions that follow: when an exercise is
    // first opened and last checked.
    void SetTime(std::int64_t milliseconds);

    // The exercise open, with the work on it and every text shown of it.
    const Practice& Practised() const { return m_practice; }
    // "Решени: 3 от 5 (1 с подсказка)", over the work on the device.
    std::u16string Score() const;
    // How many exercises are solved on this device.
    std::int64_t Solved() const;

    // Opens the variant of a teacher's assignment at its first exercise, or where the student
    // left it; a code or variant that cannot be read changes nothing but AssignmentMessage().
    void StartAssignment(std::u16string_view code, std::u16string_view variant);
    // The assignment's next exercise, after its last the first.
    void NextAssigned();
    const std::optional<Assignment>& Assigned() const { return m_kept.assignment; }
    // "Упражнение 2 от 5" while the exercise open is the assignment's; otherwise empty.
    std::u16string AssignedPlace() const;
    const std::u16string& AssignmentMessage() const { return m_assignmentMessage; }

    // The assignment's work as a file, under the student's name, who is remembered either way.
    HandIn HandInWork(const Student& student);
    const Student& StudentTyped() const { return m_kept.student; }

    // The whole work on the device as text, and back. An exercise whose work cannot be read
    // back is set aside, to be kept as it was, and said in KeptNote(); a text that cannot be
    // read at all changes nothing and leaves a note in Message().
    std::u16string Kept() const;
    void Restore(std::u16string_view kept);
    // Takes in the work another tab kept, as lesson::Merge does; the exercise open here keeps
    // what is typed in it. A text that cannot be read changes nothing; an empty one, where
    // nothing is kept yet, is no work to take in.
    enum class Merged : std::uint8_t { kUnreadable, kWork, kForgotten };
    Merged Merge(std::u16string_view kept);
    // What the last reading back set aside, and why; empty where it set nothing aside.
    const std::u16string& KeptNote() const { return m_keptNote; }
    // Forgets all the work, the assignment and the student, as on a new device, and keeps the
    // moment, so that no other tab brings older work back.
    void Forget();

    // A note on the last action that did not go through, or empty.
    const std::u16string& Message() const { return m_message; }
    // Whether the last action opened an exercise or kept one open; false after a number that
    // was refused, which stays typed, to be mended. A refused number is all a message says.
    bool NumberAccepted() const { return m_message.empty(); }
    // What a screen reader says after the last action.
    const std::u16string& Announcement() const { return m_announcement; }

private:
    void Show(const Exercise& exercise);
    // The work on the exercise open has changed now.
    void Keep();
    // Never older than forgetting in this tab, whatever the time the page last gave.
    WorkMoment Now() const;
    // Past the most works kept, the oldest go, but never the assignment's nor the one open.
    void KeepWithinCap();
    bool Assigned(const ExerciseWork& work) const;
    // The work on the exercise, or none yet.
    const ExerciseWork* FoundWork(const Exercise& exercise) const;

    Progress m_kept;
    std::size_t m_work = 0;  // the work on the exercise open, in m_kept.works
    Practice m_practice;
    std::vector<Exercise> m_assigned;  // the assignment's exercises
    std::u16string m_assignmentMessage;
    WorkMoment m_now;
    std::u16string m_message;
    std::u16string m_keptNote;
    std::u16string m_announcement;
};

}  // namespace lesson
