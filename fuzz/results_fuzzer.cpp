// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as a handed-in file, as the teacher's table reads every file given to
// it, and checks what the table relies on whatever comes in: a file read has a work for each
// exercise of its assignment, and one not read says why; a file either makes a row, with
// nothing said, or is skipped or repeats a student, with a line that says so; and there are
// never more rows than files counted. The table lives on from input to input, as it does while
// the page is open, so files meet the rows the others left.
//
// Built with CAESAR_RESULTS_SEED instead, it writes the seeds: files as students hand them in,
// in the input's form.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/expect.h"
#include "fuzz/fuzz_input.h"
#include "lesson/class_results.h"
#include "lesson/class_work.h"

#ifndef CAESAR_RESULTS_SEED

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::u16string text = input.Rest();
    const lesson::HandedInReading reading = lesson::ReadHandedIn(text);
    Expect(reading.handedIn.has_value() == reading.fault.empty(),
           "a file is read, or says why it is not");
    const lesson::HandedIn* file = reading.handedIn ? &*reading.handedIn : nullptr;
    if (file != nullptr) {
        Expect(file->works.size() == static_cast<std::size_t>(file->settings.perSheet),
               "a file read has a work for each exercise of its assignment");
    }
    // Started anew now and then, as the page is opened again, so that it stays small.
    static lesson::ClassResults results;
    static std::size_t counted = 0;
    if (counted == 1000) {
        results = {};
        counted = 0;
    }
    const bool counts = file != nullptr && (results.Code().empty() || file->code == results.Code());
    const std::vector<lesson::ResultRow>& rows = results.Rows();
    const bool repeat = counts && std::any_of(rows.begin(), rows.end(), [file](const auto& row) {
                            return row.handedIn.student.className == file->student.className &&
                                   row.handedIn.number == file->number;
                        });
    const std::size_t before = rows.size();
    results.Add(u"handed-in.txt", static_cast<std::int64_t>(size), text);
    counted += counts ? 1 : 0;
    Expect(results.Line().empty() == (counts && !repeat),
           "a line exactly for a file skipped or a student's file again");
    Expect(rows.size() == before + (counts && !repeat ? 1 : 0), "a new row for a new student");
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
#include <fstream>
#include <iterator>
#include <string_view>

#include "cipher/decimal_text.h"
#include "lesson/assignment.h"
#include "lesson/exercise.h"
#include "lesson/exercise_section.h"
#include "lesson/language.h"
#include "lesson/teacher_sheet.h"

namespace {

void WriteUnits(std::ofstream& out, std::u16string_view text) {
    for (const char16_t unit : text) {
        out.put(static_cast<char>(unit & 0xFFU));
        out.put(static_cast<char>(unit >> 8U));
    }
}

// A student's work on an assignment: every exercise opened, some solved, some wrong, a hint
// and an answer shown.
std::u16string WorkHandedIn(const lesson::SheetSettings& settings, std::u16string_view className) {
    lesson::ExerciseSection section;
    section.SetTime(1765353790000);
    section.StartAssignment(lesson::AssignmentCode(settings), u"2");
    for (std::int32_t place = 0; place < settings.perSheet; ++place) {
        const lesson::Exercise& exercise = section.Current();
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
        std::ofstream seed(directory / "results" / ("handed-in-" + std::to_string(i)),
                           std::ios::binary);
        WriteUnits(seed, files[i]);
        if (!seed) {
            return 1;
        }
    }
    return 0;
}

#endif
