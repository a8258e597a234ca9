// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/language.h"

namespace lesson {

// What a student did with one exercise: kept on the device, and handed in.
struct ExerciseWork {
    ExerciseKind kind = ExerciseKind::kEncrypt;
    const Language* language = &Languages().front();
    std::int32_t number = kFirstExercise;
    std::u16string answer;  // as last typed
    std::u16string key;
    std::int32_t hints = 0;
    bool shown = false;        // the whole answer was shown
    bool tried = false;        // checked, or its answer shown
    bool solved = false;       // right when checked, before its answer was shown
    bool checkStands = false;  // the answer and key as typed are those last checked
    std::u16string opened;     // when first opened, as MomentText; empty where not known
    std::u16string checked;    // when last checked; empty for never
    std::int64_t changed = 0;  // when last changed, in milliseconds since 1970; 0 where not known

    bool Of(const Exercise& exercise) const {
        return kind == exercise.kind && language->alphabet == exercise.alphabet &&
               number == exercise.number;
    }
    bool OfSameExercise(const ExerciseWork& other) const {
        return kind == other.kind && language == other.language && number == other.number;
    }
    // The exercise's name, as the kept work and the page know it: "encrypt latin 4711".
    std::u16string Name() const;
    // Anything done on the exercise beyond opening it.
    bool Begun() const { return !answer.empty() || !key.empty() || hints > 0 || tried; }
};

// No work yet on the exercise.
ExerciseWork WorkOn(const Exercise& exercise);

// Who hands the work in, as typed; remembered on the device.
struct Student {
    std::u16string name;
    std::u16string className;
    std::u16string number;  // in the class's register

    bool operator==(const Student&) const = default;
};

inline constexpr std::size_t kNameCap = 60;
inline constexpr std::size_t kClassCap = 10;
inline constexpr std::int32_t kMostInClass = 99;

// A teacher's assignment as a student works through it: the code typed, the variant, and the
// place of the exercise last opened from it, from 0.
struct Assignment {
    std::u16string code;
    SheetSettings settings;
    std::int32_t variant = 1;
    std::size_t place = 0;
};

// Everything the browser keeps of the exercises.
struct Progress {
    Student student;
    std::optional<Assignment> assignment;
    ExerciseKind kind = ExerciseKind::kEncrypt;  // the exercise open
    const Language* language = &Languages().front();
    std::int32_t number = kFirstExercise;
    std::vector<ExerciseWork> works;  // the oldest first
    // When the work on the device was last forgotten, in milliseconds since 1970: work changed
    // before it is not brought back from another tab.
    std::int64_t cleared = 0;
    // The lines of each block that could not be read, kept to be written back as they were.
    std::vector<std::vector<std::u16string>> setAside;
};

// What the page says of the work it keeps, and asks before it forgets it.
inline constexpr std::u16string_view kStorageRefused =
    u"Браузърът не позволява на страницата да пази данни: работата ви няма да се запази, ако "
    u"затворите или презаредите страницата.";
inline constexpr std::u16string_view kForgetQuestion =
    u"Да се изтрият ли всички решения, заданието и името ви от това устройство?";
inline constexpr std::u16string_view kEnterVariant =
    u"Въведете номера на варианта си и натиснете „Започни“.";

// Past this many exercises worked on, the oldest is forgotten; never one of the assignment.
inline constexpr std::size_t kMostWorks = 200;
// The longest kept text read: longer than any the page writes, it is damaged.
inline constexpr std::size_t kKeptCap = std::size_t{1} << 20U;

std::u16string KeptText(const Progress& progress);
// What was kept, exercise by exercise: an exercise whose block does not read, damaged or of a
// kind this copy does not know, is set aside and the others are read; a head line that does not
// read leaves its default. Nothing where the text is not kept work at all, or is past the cap.
struct KeptReading {
    std::optional<Progress> progress;
    std::size_t damaged = 0;   // blocks set aside for a line that does not read
    std::size_t unknown = 0;   // blocks set aside for naming an exercise this copy does not know
    bool headDamaged = false;  // a line before the exercises did not read, and left its default
};
KeptReading ReadKept(std::u16string_view text);
// The line that says what was set aside, and why; empty where nothing was.
std::u16string SetAsideNote(const KeptReading& reading);
// Takes the work another tab kept into this one's, exercise by exercise, the later change
// winning, but for the exercise open here, which keeps what is typed in it; blocks set aside
// are kept up to the cap. Where the other tab has forgotten the work since, so does this one:
// the student, the assignment and all work changed before; and what the other kept before this
// one forgot is not taken. Whether the other had forgotten it.
bool Merge(Progress& into, Progress other, const ExerciseWork& open);

// A file of handed-in work: its name, after the class, the number and the name, its text,
// and what to say once it is saved, "Работата е запазена във файла „…“ …"; or, with none of
// them, what keeps the student from handing in.
struct HandIn {
    std::u16string message;
    std::u16string fileName;
    std::u16string text;
    std::u16string saved;
};
// The works of the assignment's exercises, in its order, one for each.
HandIn HandInWork(const Student& student, const Assignment& assignment,
                  const std::vector<ExerciseWork>& works, std::u16string_view now);

// A handed-in file as read back: the student, the assignment and a work for each of its
// exercises; nothing of it yet checked against the exercises.
struct HandedIn {
    Student student;
    std::int32_t number = 0;  // the student's in the class
    std::u16string code;      // as AssignmentCode writes it
    SheetSettings settings;
    std::int32_t variant = 0;
    std::u16string handedAt;
    std::vector<ExerciseWork> works;
};
struct HandedInReading {
    std::optional<HandedIn> handedIn;
    std::u16string fault;  // why it is not read, in a clause of its own
};
// The most bytes of a handed-in file that are read.
inline constexpr std::size_t kHandedInCap = std::size_t{1} << 20U;
HandedInReading ReadHandedIn(std::u16string_view text);

}  // namespace lesson
