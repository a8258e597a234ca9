// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/caesar/break_section.h"
#include "lesson/classroom/class_work.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"

namespace lesson {

// What a letter mark says, with its place: "Място 3: X вместо Y", "Място 3: липсва Y",
// "Преди място 3: излишна буква X".
std::u16string MarkSentence(const LetterMark& mark);
// A wrong or missing letter's line of arithmetic with its place, "Място 3: Y + 3 = …"; empty
// where the mark has none.
std::u16string MarkLine(const LetterMark& mark);

// An answer and a key typed for an exercise, checked: the letters, the key where it is to be
// found, and whether both are right; the letters' marks where they are to be shown.
struct WorkCheck {
    AnswerCheck letters;  // for the window's arithmetic, the boxes counted as letters
    KeyCheck key;
    CalculationCheck boxes;  // the window's arithmetic box by box; empty for the other kinds
    bool right = false;
};
WorkCheck CheckWork(const Exercise& exercise, std::u16string_view answer, std::u16string_view key,
                    bool marked = true);

// What the page's section "Упражнения" shows: an exercise by its kind and number, the check
// of an answer, the hints for finding a key, the whole answer on request, and the score of
// the device; and the work kept on it, an assignment worked through and handed in. Every text it
// shows comes from here.
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
    // Checks the typed letters, and for finding a key the typed key too.
    void Check(std::u16string_view answer, std::u16string_view key);
    // The next hint for finding a key, up to three; nothing for the other kinds.
    void Hint();
    // Shows the whole answer; the exercise then counts as not solved.
    void Reveal();
    // Keeps the answer and key typed, not yet checked.
    void Type(std::u16string_view answer, std::u16string_view key);

    // The moment, in milliseconds since 1970, of the actions that follow: when an exercise is
    // first opened and last checked.
    void SetTime(std::int64_t milliseconds);

    // Opens the variant of a teacher's assignment at its first exercise, or where the student
    // left it; a code or variant that cannot be read changes nothing but AssignmentMessage().
    void StartAssignment(std::u16string_view code, std::u16string_view variant);
    // The assignment's next exercise, after its last the first.
    void NextAssigned();
    const std::optional<Assignment>& Assigned() const { return m_assignment; }
    // "Упражнение 2 от 5" while the exercise open is the assignment's; otherwise empty.
    std::u16string AssignedPlace() const;
    const std::u16string& AssignmentMessage() const { return m_assignmentMessage; }

    // The assignment's work as a file, under the student's name, who is remembered either way.
    HandIn HandInWork(const Student& student);
    const Student& StudentTyped() const { return m_student; }

    // The whole work on the device as text, and back. An exercise whose work cannot be read
    // back is set aside, to be kept as it was, and said in KeptNote(); a text that cannot be
    // read at all changes nothing and leaves a note in Message().
    std::u16string Kept() const;
    void Restore(std::u16string_view kept);
    // Takes in the work another tab kept, exercise by exercise, the later change winning; the
    // exercise open here keeps what is typed in it. Where the other tab has forgotten the work
    // since, so does this one. A text that cannot be read changes nothing.
    enum class Merged : std::uint8_t { kUnreadable, kWork, kForgotten };
    Merged Merge(std::u16string_view kept);
    // What the last reading back set aside, and why; empty where it set nothing aside.
    const std::u16string& KeptNote() const { return m_keptNote; }
    // Forgets all the work, the assignment and the student, as on a new device, and keeps the
    // moment, so that no other tab brings older work back.
    void Forget();
    // The work on the exercise open: its answer and key as last typed.
    const ExerciseWork& Work() const { return m_works[m_work]; }

    const Exercise& Current() const { return m_exercise; }
    // What the student is asked, with the letters to work from.
    const std::u16string& Task() const { return m_task; }
    // A note on the last action that did not go through, or empty.
    const std::u16string& Message() const { return m_message; }
    // Whether the last action opened an exercise or kept one open; false after a number that
    // was refused, which stays typed, to be mended. A refused number is all a message says.
    bool NumberAccepted() const { return m_message.empty(); }

    bool Checked() const { return m_checked; }
    // The last check in a sentence: "Вярно! …" when all was right, the key's result, the count.
    const std::u16string& Verdict() const { return m_verdict; }
    const AnswerCheck& LetterCheck() const { return m_letters; }
    // The one cause that explains the wrong letters, where there is one.
    const std::optional<Diagnosis>& Diagnosed() const { return m_diagnosis; }
    // Where most letters are missing, they are not marked one by one but said in a line:
    // "Липсват 66 букви: от 4-та до 68-ма."; otherwise empty.
    const std::u16string& MissingNote() const { return m_missingNote; }
    // The window's arithmetic: its lines with their boxes, and the last check of each box.
    const Calculation& Calculated() const { return m_calculation; }
    const CalculationCheck& BoxCheck() const { return m_boxes; }
    const KeyCheck& KeyResult() const { return m_key; }
    bool Solved() const { return m_solved; }

    // The hints in the order they are given: the letters' chart beside the language's, the
    // commonest letter and the key it gives as the language's commonest, and the table of
    // every key.
    enum class HintStep : std::uint8_t { kChart = 1, kCommonest, kKeys };
    std::int32_t HintsGiven() const { return m_hints; }
    bool Shows(HintStep hint) const { return m_hints >= static_cast<std::int32_t>(hint); }
    // "Използвани подсказки: 2 от 3", and after the last, the step that is left.
    std::u16string HintsUsed() const;
    const BreakSection& Breaking() const { return m_breaking; }
    const std::u16string& CommonestLetterHint() const { return m_commonest; }

    // The whole answer once shown, or empty; and so headed, "Отговорът: …".
    const std::u16string& Answer() const { return m_answer; }
    std::u16string AnswerLine() const;
    // "Решени: 3 от 5 (1 с подсказка)", over the work on the device.
    std::u16string Score() const;
    // What a screen reader says after the last action.
    const std::u16string& Announcement() const { return m_announcement; }

    static constexpr std::int32_t kHints = 3;

private:
    void Show(const Exercise& exercise);
    void Leave();
    ExerciseWork& Worked() { return m_works[m_work]; }
    // The work on the exercise open has changed now.
    void Touch();
    // Past the most works kept, the oldest go, but never the assignment's nor the one open.
    void KeepWithinCap();
    bool Assigned(const ExerciseWork& work) const;
    // The work on the exercise, or none yet.
    const ExerciseWork* FoundWork(const Exercise& exercise) const;
    // Shows the check of the answer and key; whether both are right.
    bool ShowCheck(std::u16string_view answer, std::u16string_view key);
    std::u16string CommonestSentence() const;
    // Marks the letters of a check that are to be shown, and finds the cause of the mistakes.
    void Mark(const WorkCheck& check, std::u16string_view key);

    Exercise m_exercise;
    std::u16string m_task;
    std::u16string m_message;
    std::u16string m_keptNote;
    bool m_checked = false;
    std::u16string m_verdict;
    AnswerCheck m_letters;
    KeyCheck m_key;
    std::optional<Diagnosis> m_diagnosis;
    std::u16string m_missingNote;
    Calculation m_calculation;
    CalculationCheck m_boxes;
    bool m_solved = false;
    std::int32_t m_hints = 0;
    BreakSection m_breaking;
    std::u16string m_commonest;
    std::u16string m_answer;
    std::u16string m_announcement;
    std::u16string m_now;
    std::int64_t m_nowMilliseconds = 0;
    std::vector<ExerciseWork> m_works;
    std::int64_t m_cleared = 0;
    std::vector<std::vector<std::u16string>> m_setAside;
    std::size_t m_work = 0;
    std::optional<Assignment> m_assignment;
    std::vector<Exercise> m_assigned;
    std::u16string m_assignmentMessage;
    Student m_student;
};

}  // namespace lesson
