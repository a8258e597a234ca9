// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/class_results.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "lesson/classroom/class_work.h"
#include "lesson/classroom/student_names.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/exercises/work_check.h"

namespace lesson {

namespace {

constexpr std::size_t kVariantColumn = 3;
// A file's name as its lines quote it, cut where it is long.
constexpr std::size_t kFileNameShown = 80;
// No file was handed in before 2020-01-01T00:00:00Z, nor more than a day ahead of the
// teacher's clock, which may be that much behind the student's.
constexpr std::int64_t kEarliest = 1577836800000;
constexpr std::int64_t kDay = 86400000;

std::u16string Quoted(std::u16string_view fileName) {
    std::u16string shown(fileName.substr(0, kFileNameShown));
    if (fileName.size() > kFileNameShown) {
        shown += u'…';
    }
    return u"„" + shown + u"“";
}

ResultCell CellOf(const Exercise& exercise, const ExerciseWork& work) {
    ResultCell cell;
    if (work.answer.empty() && !work.shown) {
        cell.text = u"—";
    } else {
        const WorkCheck check = Check(exercise, work.answer, work.key, false);
        cell.solved = check.right;
        cell.counts = check.right && !work.shown;
        cell.right = check.letters.right;
        cell.text =
            check.right
                ? u"решено"
                : Joined({Decimal(check.letters.right), u" от ", Decimal(check.letters.expected)});
    }
    if (work.hints > 0) {
        cell.text += u" П";
    }
    if (work.shown) {
        cell.text += u" О";
    }
    return cell;
}

// A class as "10б": its number first, then its letters as ClassKey has them, so that 9 comes
// before 10 and "9А" beside "9а".
std::pair<std::int64_t, std::u16string> ClassOrder(std::u16string_view className) {
    const std::u16string name = ClassKey(className);
    const std::size_t digits =
        std::min({name.find_first_not_of(u"0123456789"), name.size(), std::size_t{6}});
    return {DigitsValue(std::u16string_view(name).substr(0, digits)), name.substr(digits)};
}

// "Мария Иванова, 9а, № 5"
std::u16string Who(const ResultRow& row) {
    return Joined({row.handedIn.student.name, u", ", row.handedIn.student.className, u", № ",
                   Decimal(row.handedIn.number)});
}

auto StudentOrder(const ResultRow& row) {
    return std::tuple(ClassOrder(row.handedIn.student.className), row.handedIn.number);
}

void AppendCsvRow(std::u16string& csv, const std::vector<std::u16string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            csv += u';';
        }
        csv += CsvField(fields[i]);
    }
    csv += u"\r\n";
}

}  // namespace

std::u16string CsvField(std::u16string_view text) {
    std::u16string field(text);
    // A spreadsheet skips leading blanks before it looks for a formula.
    const std::size_t first = field.find_first_not_of(u" \u00a0\u3000");
    if (first != std::u16string::npos &&
        std::u16string_view(u"=+-@\t\r").find(field[first]) != std::u16string_view::npos) {
        field.insert(field.begin(), u'\'');
    }
    if (field.find_first_of(u";\"\r\n") == std::u16string::npos) {
        return field;
    }
    std::u16string quoted = u"\"";
    for (const char16_t c : field) {
        quoted += c == u'"' ? std::u16string(u"\"\"") : std::u16string(1, c);
    }
    return quoted + u'"';
}

void ClassResults::Add(std::u16string_view fileName, std::int64_t size, std::u16string_view text) {
    m_line.clear();
    if (size < 0 || static_cast<std::uint64_t>(size) > kHandedInCap) {
        Skip(fileName, u"по-голям е от 1 MB");
        return;
    }
    HandedInReading reading = ReadHandedIn(text);
    const std::u16string fault =
        reading.handedIn ? Fault(*reading.handedIn) : std::move(reading.fault);
    if (!fault.empty()) {
        Skip(fileName, fault);
        return;
    }
    m_code = reading.handedIn->code;
    Place(RowOf(fileName, std::move(*reading.handedIn)));
}

void ClassResults::AddUnread(std::u16string_view fileName, std::u16string_view reason) {
    Skip(fileName, Joined({u"браузърът не можа да го прочете (", reason, u")"}));
}

void ClassResults::Skip(std::u16string_view fileName, std::u16string_view why) {
    ++m_skipped;
    m_line = Joined({Quoted(fileName), u" е пропуснат: ", why, u"."});
}

std::u16string ClassResults::Fault(const HandedIn& handedIn) const {
    if (!m_code.empty() && handedIn.code != m_code) {
        return Joined({u"той е за задание ", handedIn.code, u", а таблицата — за ", m_code});
    }
    const std::optional<std::int64_t> at = MomentMilliseconds(handedIn.handedAt);
    const std::u16string_view why = !at ? u"не е истинска дата и час"
                                    : *at < kEarliest ? u"е преди 2020 г."
                                    : m_now && *at > *m_now + kDay
                                        ? u"е в бъдещето по часовника на този компютър"
                                        : u"";
    return why.empty() ? u"" : Joined({u"„Предадено: ", handedIn.handedAt, u"“ ", why});
}

ResultRow ClassResults::RowOf(std::u16string_view fileName, HandedIn handedIn) {
    ResultRow row;
    row.fileName = fileName;
    // A class shares a few variants: each is made once.
    std::vector<Exercise>& exercises = m_variants[static_cast<std::size_t>(handedIn.variant) - 1];
    if (exercises.empty()) {
        exercises = VariantExercises(handedIn.settings, handedIn.variant);
    }
    for (std::size_t place = 0; place < exercises.size(); ++place) {
        row.cells.push_back(CellOf(exercises[place], handedIn.works[place]));
        row.total += row.cells.back().counts ? 1 : 0;
    }
    row.handedIn = std::move(handedIn);
    return row;
}

// Two files of one student under two names may be two students with one number written
// wrong, or one student named two ways: both stay for the teacher to tell.
void ClassResults::Place(ResultRow row) {
    const Student& student = row.handedIn.student;
    const auto sameStudent = [&row](const ResultRow& other) {
        return other.handedIn.number == row.handedIn.number &&
               ClassKey(other.handedIn.student.className) ==
                   ClassKey(row.handedIn.student.className);
    };
    const auto same = std::find_if(m_rows.begin(), m_rows.end(), [&](const ResultRow& other) {
        return sameStudent(other) && other.handedIn.student.name == student.name;
    });
    if (same != m_rows.end()) {
        const std::u16string earlier = Quoted(same->fileName);
        if (*MomentMilliseconds(row.handedIn.handedAt) <=
            *MomentMilliseconds(same->handedIn.handedAt)) {
            Skip(row.fileName, Joined({u"в таблицата вече е ", earlier, u" на ", Who(row),
                                       u", предаден по-късно или в същия момент"}));
            return;
        }
        ++m_replaced;
        m_line = Joined({Quoted(row.fileName), u" замества ", earlier,
                         u": по-късно предадена работа на ", Who(row), u"."});
        *same = std::move(row);
        return;
    }
    const auto clash = std::find_if(m_rows.begin(), m_rows.end(), sameStudent);
    if (clash != m_rows.end()) {
        m_line = Joined({Quoted(clash->fileName), u" и ", Quoted(row.fileName), u" са за ",
                         student.className, u", № ", Decimal(row.handedIn.number),
                         u", но с различни имена: „", clash->handedIn.student.name, u"“ и „",
                         student.name, u"“. И двата файла са в таблицата: проверете кой е кой."});
    }
    ++m_added;
    m_rows.push_back(std::move(row));
}

void ClassResults::Remove(std::size_t row) {
    if (row >= m_rows.size()) {
        return;
    }
    std::u16string removed = Joined({u"Редът на ", Who(m_rows[row]), u" е премахнат."});
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
    if (m_rows.empty()) {
        Clear();
    }
    m_change = std::move(removed);
}

void ClassResults::Clear() {
    // The variants made are the assignment's, and the next file may be of another.
    m_code.clear();
    m_rows.clear();
    std::for_each(m_variants.begin(), m_variants.end(), [](auto& variant) { variant.clear(); });
    m_line.clear();
    m_change = u"Таблицата е изчистена.";
}

std::u16string ClassResults::RemoveLabel(const ResultRow& row) {
    return Joined({kRemove, u" ", Who(row)});
}

std::vector<std::u16string> ClassResults::Headers() const {
    std::vector<std::u16string> headers = {u"Клас", u"№", u"Име", u"Вариант"};
    const std::size_t exercises = m_rows.empty() ? 0 : m_rows.front().cells.size();
    for (std::size_t e = 1; e <= exercises; ++e) {
        headers.push_back(u"Упр. " + Decimal(e));
    }
    headers.emplace_back(u"Общо");
    return headers;
}

bool ClassResults::Descending(std::size_t column) const { return column >= kStudentColumns; }

void ClassResults::SortBy(std::optional<std::int64_t> column) {
    // A column past the students' is chosen by its index only once the exercises are known.
    const std::size_t columns = m_rows.empty() ? kStudentColumns : Headers().size();
    const std::int64_t asked = column.value_or(static_cast<std::int64_t>(m_sortedBy));
    m_sortedBy = asked >= 0 && static_cast<std::uint64_t>(asked) < columns
                     ? static_cast<std::size_t>(asked)
                     : 0;
    const std::size_t exercise = m_sortedBy - kStudentColumns;
    const auto key = [this, exercise](const ResultRow& row) {
        using Key = std::tuple<std::int64_t, std::int64_t, std::u16string>;
        if (m_sortedBy == kNameColumn) {
            return Key(0, 0, row.handedIn.student.name);
        }
        if (m_sortedBy == kVariantColumn) {
            return Key(row.handedIn.variant, 0, u"");
        }
        if (m_sortedBy < kStudentColumns) {
            return Key(0, 0, u"");
        }
        // Highest first: counted, then solved, then by the letters right.
        if (exercise < row.cells.size()) {
            const ResultCell& cell = row.cells[exercise];
            return Key(cell.counts   ? 0
                       : cell.solved ? 1
                                     : 2,
                       -static_cast<std::int64_t>(cell.right), u"");
        }
        return Key(-row.total, 0, u"");
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), [&key](const ResultRow& a, const ResultRow& b) {
        return std::tuple(key(a), StudentOrder(a)) < std::tuple(key(b), StudentOrder(b));
    });
}

std::vector<std::int32_t> ClassResults::Solvers() const {
    std::vector<std::int32_t> solvers(m_rows.empty() ? 0 : m_rows.front().cells.size());
    for (const ResultRow& row : m_rows) {
        // Every row has a cell for each exercise: the files are of one assignment.
        for (std::size_t e = 0; e < solvers.size(); ++e) {
            solvers[e] += row.cells[e].counts ? 1 : 0;
        }
    }
    return solvers;
}

std::u16string ClassResults::Caption() const {
    if (m_code.empty()) {
        return u"Резултати на класа";
    }
    return Joined(
        {u"Резултати на класа по задание ", m_code, u": ", Decimal(m_rows.size()), u" ученици"});
}

std::u16string ClassResults::Summary() {
    std::u16string summary = std::move(m_change);
    if (m_added + m_replaced + m_skipped != 0) {
        summary = Joined({u"Добавени файлове: ", Decimal(m_added), u". Заменили по-ранен файл: ",
                          Decimal(m_replaced), u". Пропуснати: ", Decimal(m_skipped), u"."});
    }
    m_change.clear();
    m_added = 0;
    m_replaced = 0;
    m_skipped = 0;
    return summary;
}

std::vector<std::u16string> ClassResults::Fields(const ResultRow& row) {
    const Student& student = row.handedIn.student;
    std::vector<std::u16string> fields = {student.className, Decimal(row.handedIn.number),
                                          student.name, Decimal(row.handedIn.variant)};
    std::transform(row.cells.begin(), row.cells.end(), std::back_inserter(fields),
                   [](const ResultCell& cell) { return cell.text; });
    fields.push_back(Decimal(row.total));
    return fields;
}

std::vector<std::u16string> ClassResults::SolversFields() const {
    std::vector<std::u16string> fields = {std::u16string(kSolversHeading), u"", u"", u""};
    const std::vector<std::int32_t> solvers = Solvers();
    std::transform(solvers.begin(), solvers.end(), std::back_inserter(fields),
                   [](std::int32_t count) { return Decimal(count); });
    fields.push_back(Decimal(std::accumulate(solvers.begin(), solvers.end(), std::int64_t{0})));
    return fields;
}

std::u16string ClassResults::Csv() const {
    std::u16string csv = u"\ufeff";
    AppendCsvRow(csv, Headers());
    for (const ResultRow& row : m_rows) {
        AppendCsvRow(csv, Fields(row));
    }
    AppendCsvRow(csv, SolversFields());
    return csv;
}

std::u16string ClassResults::CsvFileName() const {
    return Joined({u"резултати", m_code.empty() ? u"" : u"-", m_code, u".csv"});
}

}  // namespace lesson
