// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/exercise.h"
#include "lesson/language.h"
#include "lesson/teacher_sheet.h"

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

    bool Of(const Exercise& exercise) const {
        return kind == exercise.kind && language->alphabet == exercise.alphabet &&
               number == exercise.number;
    }
};

// No work yet on the exercise.
ExerciseWork WorkOn(const Exercise& exercise);

// Who hands the work in, as typed; remembered on the device.
struct Student {
    std::u16string name;
    std::u16string className;
    std::u16string number;  // in the class's register
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
};

// What the page says of the work it keeps, and asks before it forgets it.
inline constexpr std::u16string_view kStorageRefused =
    u"Браузърът не позволява на страницата да пази данни: работата ви няма да се запази, ако "
    u"затворите или презаредите страницата.";
inline constexpr std::u16string_view kForgetQuestion =
    u"Да се изтрият ли всички решения, заданието и името ви от това устройство?";
inline constexpr std::u16string_view kEnterVariant =
    u"Въведете номера на варианта си и натиснете „Започни“.";

// The version of the kept text's form: a page of another keeps its work apart.
inline constexpr std::u16string_view kKeptFormat = u"1";

// Past this many exercises worked on, the oldest is forgotten.
inline constexpr std::size_t kMostWorks = 200;

std::u16string KeptText(const Progress& progress);
// What was kept, or nothing where it is damaged or of another version.
std::optional<Progress> ReadKept(std::u16string_view text);

// A file of handed-in work: its name, after the class, the number and the name, and its text;
// or, with neither, what keeps the student from handing in.
struct HandIn {
    std::u16string message;
    std::u16string fileName;
    std::u16string text;
};
// "Работата е запазена във файла „…“ …", once the file is saved.
std::u16string HandedInSentence(std::u16string_view fileName);
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
