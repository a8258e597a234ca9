// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/class_results.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "cipher/decimal_text.h"
#include "lesson/class_work.h"
#include "lesson/exercise.h"
#include "lesson/exercise_section.h"
#include "lesson/teacher_sheet.h"

namespace lesson {

namespace {

// The columns before the exercises': class, number, name, variant.
constexpr std::size_t kStudentColumns = 4;
// A file's name as its lines quote it, cut where it is long.
constexpr std::size_t kFileNameShown = 80;

std::u16string Decimal(std::int64_t number) { return cipher::DecimalText(number); }

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
        const WorkCheck check = CheckWork(exercise, work.answer, work.key, false);
        cell.solved = check.right;
        cell.counts = check.right && !work.shown;
        cell.right = check.letters.right;
        cell.text = check.right
                        ? u"решено"
                        : Decimal(static_cast<std::int64_t>(check.letters.right)) + u" от " +
                              Decimal(static_cast<std::int64_t>(check.letters.expected));
    }
    if (work.hints > 0) {
        cell.text += u" П";
    }
    if (work.shown) {
        cell.text += u" О";
    }
    return cell;
}

// A class as "10б": its number first, then its letters, so that 9 comes before 10.
std::pair<std::int64_t, std::u16string_view> ClassOrder(std::u16string_view name) {
    std::size_t digits = 0;
    std::int64_t number = 0;
    while (digits < name.size() && digits < 6 && name[digits] >= u'0' && name[digits] <= u'9') {
        number = number * 10 + (name[digits++] - u'0');
    }
    return {number, name.substr(digits)};
}

auto StudentOrder(const ResultRow& row) {
    return std::tuple(ClassOrder(row.handedIn.student.className), row.handedIn.number);
}

// A field for a spreadsheet: quoted where it holds a separator, a quote or a line break, and
// never taken for a formula.
std::u16string CsvField(std::u16string_view text) {
    std::u16string field(text);
    if (!field.empty() &&
        std::u16string_view(u"=+-@\t\r").find(field.front()) != std::u16string_view::npos) {
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

void ClassResults::Add(std::u16string_view fileName, std::int64_t size, std::u16string_view text) {
    ++m_read;
    const std::u16string name = Quoted(fileName);
    const auto skip = [&](std::u16string_view why) {
        ++m_skipped;
        m_line = name + u" е пропуснат: " + std::u16string(why) + u".";
    };
    if (size < 0 || static_cast<std::uint64_t>(size) > kHandedInCap) {
        skip(u"по-голям е от 1 MB");
        return;
    }
    HandedInReading reading = ReadHandedIn(text);
    if (!reading.handedIn) {
        skip(reading.fault);
        return;
    }
    HandedIn& handedIn = *reading.handedIn;
    if (!m_code.empty() && handedIn.code != m_code) {
        skip(u"той е за задание " + handedIn.code + u", а таблицата — за " + m_code);
        return;
    }
    m_code = handedIn.code;
    m_line.clear();
    ResultRow row;
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
    const auto same = std::find_if(m_rows.begin(), m_rows.end(), [&row](const ResultRow& other) {
        return other.handedIn.student.className == row.handedIn.student.className &&
               other.handedIn.number == row.handedIn.number;
    });
    if (same == m_rows.end()) {
        m_rows.push_back(std::move(row));
        return;
    }
    m_line = name + u": " + row.handedIn.student.className + u", № " +
             Decimal(row.handedIn.number) +
             u" е предал(а) повече от веднъж; в таблицата остава по-късно предаденият файл.";
    if (row.handedIn.handedAt >= same->handedIn.handedAt) {
        *same = std::move(row);
    }
}

std::vector<std::u16string> ClassResults::Headers() const {
    std::vector<std::u16string> headers = {u"Клас", u"№", u"Име", u"Вариант"};
    const std::size_t exercises = m_rows.empty() ? 0 : m_rows.front().cells.size();
    for (std::size_t e = 1; e <= exercises; ++e) {
        headers.push_back(u"Упр. " + Decimal(static_cast<std::int64_t>(e)));
    }
    headers.emplace_back(u"Общо");
    return headers;
}

bool ClassResults::Descending(std::size_t column) const { return column >= kStudentColumns; }

void ClassResults::SortBy(std::size_t column) {
    // A column past the students' is chosen by its index only once the exercises are known.
    const std::size_t columns = m_rows.empty() ? kStudentColumns : Headers().size();
    m_sortedBy = column < columns ? column : 0;
    const std::size_t exercise = m_sortedBy - kStudentColumns;
    const auto key = [this, exercise](const ResultRow& row) {
        using Key = std::tuple<std::int64_t, std::int64_t, std::u16string>;
        if (m_sortedBy == 2) {
            return Key(0, 0, row.handedIn.student.name);
        }
        if (m_sortedBy == 3) {
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
    return m_code.empty() ? u"Резултати на класа"
                          : u"Резултати на класа по задание " + m_code + u": " +
                                Decimal(static_cast<std::int64_t>(m_rows.size())) + u" ученици";
}

std::u16string ClassResults::Summary() {
    std::u16string summary = u"Добавени файлове: " + Decimal(m_read - m_skipped) +
                             u". Пропуснати: " + Decimal(m_skipped) + u".";
    m_read = 0;
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
    return u"резултати" + (m_code.empty() ? u"" : u"-" + m_code) + u".csv";
}

}  // namespace lesson
