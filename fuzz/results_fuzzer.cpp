// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as a handed-in file, as the teacher's table reads every file given to
// it, and checks what the table relies on whatever comes in: a file read has a work for each
// exercise of its assignment, and one not read says why; a file makes a row with nothing said,
// takes the place of its student's earlier file, is skipped, or makes a row beside a student
// of the same class and number under another name, each with a line that says so, and the
// summary counts it once as such; a file past the cap is skipped for that; there are never
// more rows than files counted. The table lives on from input to input, as it does while the
// page is open, so files meet the rows the others left.
//
// The input's first code unit makes the size the page gives, in steps of 32 bytes past the
// text's own, up to twice the cap, so that files past it come up; the rest is the file.
// Built with CAESAR_RESULTS_SEED instead, it writes the seeds: files as students hand them in,
// in the input's form.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cipher/decimal_text.h"
#include "fuzz/expect.h"
#include "fuzz/fuzz_input.h"
#include "lesson/classroom/class_results.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/student_names.h"
#include "lesson/classroom/work_record.h"

#ifndef CAESAR_RESULTS_SEED

namespace {

// The teacher's clock: the seeds' moment. The table takes files from 2020 to a day past it.
constexpr std::int64_t kClock = 1765353790000;
constexpr std::int64_t kEarliest = 1577836800000;
constexpr std::int64_t kDay = 86400000;

bool SameStudent(const lesson::HandedIn& a, const lesson::HandedIn& b) {
    return a.number == b.number &&
           lesson::ClassKey(a.student.className) == lesson::ClassKey(b.student.className);
}

std::u16string Summary(bool added, bool replaced, bool skipped) {
    return u"Добавени файлове: " + cipher::DecimalText(added ? 1 : 0) +
           u". Заменили по-ранен файл: " + cipher::DecimalText(replaced ? 1 : 0) +
           u". Пропуснати: " + cipher::DecimalText(skipped ? 1 : 0) + u".";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::int64_t past = std::int64_t{input.Unit()} * 32;
    const std::u16string text = input.Rest();
    const std::int64_t bytes = static_cast<std::int64_t>(text.size()) * 2 + past;
    const lesson::HandedInReading reading = lesson::ReadHandedIn(text);
    Expect(reading.handedIn.has_value() == reading.fault.empty(),
           "a file is read, or says why it is not");
    const lesson::HandedIn* file = reading.handedIn ? &*reading.handedIn : nullptr;
    if (file != nullptr) {
        Expect(file->works.size() == static_cast<std::size_t>(file->settings.perSheet),
               "a file read has a work for each exercise of its assignment");
    }
    // Cleared now and then, as a teacher starts anew, so that it stays small.
    static lesson::ClassResults results;
    static std::size_t counted = 0;
    if (counted == 1000) {
        results.Clear();
        counted = 0;
    }
    results.SetTime(kClock);
    const std::optional<std::int64_t> at =
        file != nullptr ? lesson::MomentMilliseconds(file->handedAt) : std::nullopt;
    const bool counts = static_cast<std::uint64_t>(bytes) <= lesson::kHandedInCap && at &&
                        *at >= kEarliest && *at <= kClock + kDay &&
                        (results.Code().empty() || file->code == results.Code());
    const std::vector<lesson::ResultRow>& rows = results.Rows();
    const auto known = std::find_if(rows.begin(), rows.end(), [&](const lesson::ResultRow& row) {
        return counts && SameStudent(row.handedIn, *file) &&
               row.handedIn.student.name == file->student.name;
    });
    const bool isNew = counts && known == rows.end();
    const bool clash = isNew && std::any_of(rows.begin(), rows.end(), [file](const auto& row) {
                           return SameStudent(row.handedIn, *file);
                       });
    const bool replaces =
        known != rows.end() && *at > *lesson::MomentMilliseconds(known->handedIn.handedAt);
    const std::size_t before = rows.size();
    results.Add(u"handed-in.txt", bytes, text);
    counted += isNew || replaces ? 1 : 0;
    Expect(results.Line().empty() == (isNew && !clash),
           "a line exactly for a file skipped, a student's file again or two names of one");
    Expect(results.Line().ends_with(u"по-голям е от 1 MB.") ==
               (static_cast<std::uint64_t>(bytes) > lesson::kHandedInCap),
           "a file past the cap is skipped for its size, and only such a file");
    Expect(results.Summary() == Summary(isNew, replaces, !isNew && !replaces),
           "the summary counts the file once, as what came of it");
    Expect(rows.size() == before + (isNew ? 1 : 0), "a new row for a new student or name");
    Expect(rows.size() <= counted, "never more rows than files counted");
    for (const lesson::ResultRow& row : rows) {
        Expect(row.cells.size() == row.handedIn.works.size(), "a cell for each exercise");
    }
    results.SortBy(size % (results.Headers().size() + 1));
    Expect(results.Csv().starts_with(u"\ufeff"), "the table's CSV has its byte-order mark");
    return 0;
}

#else

#include <filesystem>
#include <iterator>
#include <string_view>

#include "fuzz/seed_file.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/practice.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/language.h"

namespace {

// A student's work on an assignment: every exercise opened, some solved, some wrong, a hint
// and an answer shown.
std::u16string WorkHandedIn(const lesson::SheetSettings& settings, std::u16string_view className) {
    lesson::ExerciseSection section;
    section.SetTime(1765353790000);
    section.StartAssignment(lesson::AssignmentCode(settings), u"2");
    for (std::int32_t place = 0; place < settings.perSheet; ++place) {
        const lesson::Exercise& exercise = section.Practised().Current();
        const bool encrypt = exercise.kind == lesson::ExerciseKind::kEncrypt;
        section.Hint();
        section.Check(place % 3 == 0 ? u"ABC"
                      : encrypt      ? exercise.cipherLetters
                                     : exercise.plainLetters,
                      cipher::DecimalText(exercise.key));
        if (place % 4 == 1) {
            section.Reveal();
        }
        section.NextAssigned();
    }
    return section.HandInWork({u"Иван Петров", std::u16string(className), u"7"}).text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::filesystem::create_directories(directory / "results");
    const std::u16string files[] = {
        WorkHandedIn({&lesson::Languages().front(), 7, 3, 100}, u"9а"),
        WorkHandedIn({&lesson::Languages().back(), 5, lesson::kMostPerSheet, 9990}, u"10б")};
    for (std::size_t i = 0; i < std::size(files); ++i) {
        if (!WriteUnitsSeed(directory / "results" / ("handed-in-" + std::to_string(i)),
                            std::u16string(1, u'\0') + files[i])) {
            return 1;
        }
    }
    return 0;
}

#endif
