// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/class_work.h"
#include "lesson/exercise.h"
#include "lesson/teacher_sheet.h"

namespace lesson {

// A student's exercise as the teacher's table shows it, checked again from its letters.
struct ResultCell {
    bool solved = false;    // every letter right, and the key where it is to be found
    bool counts = false;    // solved before its answer was shown
    std::size_t right = 0;  // letters
    std::u16string
        text;  // "решено", "7 от 39" or "—", with " П" for a hint and " О" for the answer shown
};

struct ResultRow {
    HandedIn handedIn;
    std::vector<ResultCell> cells;  // one for each exercise of the assignment
    std::int32_t total = 0;         // the cells that count
};

// "Резултати на класа": files handed in for one assignment, every answer checked again with
// the exercises' own checker, one row for each student and a column for each exercise.
class ClassResults {
public:
    // Reads a file of `size` bytes, its text given where it is within kHandedInCap, and keeps
    // its row, in place of an earlier file of the same student; or skips it. Says what came of
    // it where there is anything to say, in Line().
    void Add(std::u16string_view fileName, std::int64_t size, std::u16string_view text);
    const std::u16string& Line() const { return m_line; }

    // The columns: "Клас", "№", "Име", "Вариант", one for each exercise, and "Общо".
    std::vector<std::u16string> Headers() const;
    // Sorts by a column, the exercises and the total highest first; by class and number at
    // first. Rows added since stand where they were added until the next sort, which the page
    // makes before it shows the table.
    void SortBy(std::size_t column);
    std::size_t SortedBy() const { return m_sortedBy; }
    bool Descending(std::size_t column) const;

    const std::vector<ResultRow>& Rows() const { return m_rows; }
    // A row's cells as the table shows them, under Headers().
    static std::vector<std::u16string> Fields(const ResultRow& row);
    // How many counted each exercise solved; and as the table's last row, "Решили", with the
    // sum under "Общо".
    std::vector<std::int32_t> Solvers() const;
    std::vector<std::u16string> SolversFields() const;
    const std::u16string& Code() const { return m_code; }
    std::u16string Caption() const;
    // "Добавени файлове: 2. Пропуснати: 1." for the files since the last call.
    std::u16string Summary();

    // The table for a spreadsheet: UTF-8 with a byte-order mark once encoded, ";" between the
    // fields, a row for each student and one of the counts.
    std::u16string Csv() const;
    std::u16string CsvFileName() const;

    // The heading of the row of counts.
    static constexpr std::u16string_view kSolversHeading = u"Решили";
    static constexpr std::u16string_view kLegend =
        u"„решено“: всички букви са верни, и ключът, където се търси; „N от M“: верните букви. "
        u"П: с подсказка. О: с показан отговор, не се брои в „Общо“.";

private:
    std::u16string m_code;  // the assignment of the table, the first counted file's
    std::vector<ResultRow> m_rows;
    std::vector<std::vector<Exercise>> m_variants =
        std::vector<std::vector<Exercise>>(static_cast<std::size_t>(kMostVariants));
    std::size_t m_sortedBy = 0;
    std::u16string m_line;
    std::int32_t m_read = 0;
    std::int32_t m_skipped = 0;
};

}  // namespace lesson
