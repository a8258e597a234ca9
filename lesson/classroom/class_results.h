// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/classroom/class_work.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"

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
    std::u16string fileName;  // as picked, for the lines that name it
    HandedIn handedIn;
    std::vector<ResultCell> cells;  // one for each exercise of the assignment
    std::int32_t total = 0;         // the cells that count
};

// A field for a spreadsheet: quoted where it holds a separator, a quote or a line break, and
// never taken for a formula, even after blanks.
std::u16string CsvField(std::u16string_view text);

// "Резултати на класа": files handed in for one assignment, every answer checked again with
// the exercises' own checker, one row for each student and a column for each exercise.
class ClassResults {
public:
    // The teacher's clock, milliseconds since 1970: a file handed in more than a day after it
    // is skipped. Without it, only a moment before 2020 is.
    void SetTime(std::int64_t milliseconds) { m_now = milliseconds; }

    // Reads a file of `size` bytes, its text given where it is within kHandedInCap, and keeps
    // its row: a student is the class, as ClassKey compares it, and the number. A file of the
    // same student and name handed in later takes the place of the earlier one; one under
    // another name gets a row of its own, and both are named. Skips a file that cannot be
    // trusted, and one handed in no later than the row of its student and name. Says what came
    // of it where there is anything to say, in Line().
    void Add(std::u16string_view fileName, std::int64_t size, std::u16string_view text);
    // Skips a file the browser could not read, with its reason.
    void AddUnread(std::u16string_view fileName, std::u16string_view reason);
    const std::u16string& Line() const { return m_line; }
    // Removes the row at `row` in the current order, where there is one.
    void Remove(std::size_t row);
    // Empties the table, which the next file of any assignment starts anew.
    void Clear();

    // The columns: "Клас", "№", "Име", "Вариант", one for each exercise, and "Общо"; the
    // student's are the first kStudentColumns, the name, which heads its row, at kNameColumn.
    std::vector<std::u16string> Headers() const;
    static constexpr std::size_t kStudentColumns = 4;
    static constexpr std::size_t kNameColumn = 2;
    // Sorts by a column from 0, the exercises and the total highest first; by class and number
    // at first, and for a column that is not there. With none, by the column sorted by last.
    // Rows added since stand where they were added until the next sort, which the page makes
    // before it shows the table.
    void SortBy(std::optional<std::int64_t> column);
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
    // What the changes since the last call came to, once: "Добавени файлове: 2. Заменили
    // по-ранен файл: 0. Пропуснати: 1." for files, or a row removed or the table cleared;
    // empty where nothing changed.
    std::u16string Summary();
    // The accessible name of a row's button that removes it: the word and the student.
    static std::u16string RemoveLabel(const ResultRow& row);

    // The table for a spreadsheet: UTF-8 with a byte-order mark once encoded, ";" between the
    // fields, a row for each student and one of the counts.
    std::u16string Csv() const;
    std::u16string CsvFileName() const;

    // The heading of the row of counts.
    static constexpr std::u16string_view kSolversHeading = u"Решили";
    // The word on the button that removes a row, and what the page asks before clearing.
    static constexpr std::u16string_view kRemove = u"Премахни";
    static constexpr std::u16string_view kClearQuestion =
        u"Да се изчисти ли цялата таблица? Файловете на учениците не се изтриват.";
    static constexpr std::u16string_view kLegend =
        u"„решено“: всички букви са верни, и ключът, където се търси; „N от M“: верните букви. "
        u"П: с подсказка. О: с показан отговор, не се брои в „Общо“.";

private:
    // Why a file read cannot be counted, or empty.
    std::u16string Fault(const HandedIn& handedIn) const;
    ResultRow RowOf(std::u16string_view fileName, HandedIn handedIn);
    void Place(ResultRow row);
    void Skip(std::u16string_view fileName, std::u16string_view why);

    std::u16string m_code;  // the assignment of the table, the first counted file's
    std::vector<ResultRow> m_rows;
    std::vector<std::vector<Exercise>> m_variants =
        std::vector<std::vector<Exercise>>(static_cast<std::size_t>(kMostVariants));
    std::size_t m_sortedBy = 0;
    std::optional<std::int64_t> m_now;
    std::u16string m_line;
    std::u16string m_change;  // a row removed or the table cleared, until said
    std::int32_t m_added = 0;
    std::int32_t m_replaced = 0;
    std::int32_t m_skipped = 0;
};

}  // namespace lesson
