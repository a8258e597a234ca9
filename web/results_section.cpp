// SPDX-License-Identifier: GPL-3.0-or-later
// The class's results: the handed-in files tabled, sorted, removed and written as CSV.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "lesson/classroom/class_results.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

// The class's table in its order: its caption, headers, the column that heads each row and
// how many are the student's, a row of texts for each student with the name of its button
// that removes it, the row of those who solved each exercise, and what the last changes came
// to.
std::string ResultsState(lesson::ClassResults& results) {
    using lesson::ClassResults;
    return Object({{"caption", Quoted(results.Caption())},
                   {"headers", QuotedArray(results.Headers())},
                   {"nameColumn", Number(std::int64_t{ClassResults::kNameColumn})},
                   {"studentColumns", Number(std::int64_t{ClassResults::kStudentColumns})},
                   {"sortedBy", Number(static_cast<std::int64_t>(results.SortedBy()))},
                   {"descending", Boolean(results.Descending(results.SortedBy()))},
                   {"rows", ArrayOf(results.Rows(),
                                    [](const lesson::ResultRow& row) {
                                        return QuotedArray(ClassResults::Fields(row));
                                    })},
                   {"remove", Quoted(ClassResults::kRemove)},
                   {"removeLabels", ArrayOf(results.Rows(),
                                            [](const lesson::ResultRow& row) {
                                                return Quoted(ClassResults::RemoveLabel(row));
                                            })},
                   {"clearQuestion", Quoted(ClassResults::kClearQuestion)},
                   {"solvers", QuotedArray(results.SolversFields())},
                   {"legend", Quoted(ClassResults::kLegend)},
                   {"summary", Quoted(results.Summary())}});
}

// A results file read, with its size in bytes and its text where it is within the cap, or
// with the reason the browser could not read it, to be skipped with it: whether it is in the
// table, and the line said of it.
std::string AddResults(Page& page, const Values& values) {
    if (values[3].present) {
        page.results.AddUnread(values[0].text, values[3].text);
    } else {
        page.results.Add(values[0].text, values[1].number, values[2].text);
    }
    return Object({{"line", Quoted(page.results.Line())}});
}

// The table sorted by the column asked for, or as it was sorted.
std::string Results(Page& page, const Values& values) {
    page.results.SortBy(values[0].present ? std::optional(values[0].number) : std::nullopt);
    return ResultsState(page.results);
}

// A row of the table as last shown, by its place from 0.
std::string RemoveResult(Page& page, const Values& values) {
    page.results.Remove(static_cast<std::size_t>(values[0].number));
    return ResultsState(page.results);
}

std::string ClearResults(Page& page, const Values& /*values*/) {
    page.results.Clear();
    return ResultsState(page.results);
}

// In the order the table was last shown in.
std::string ResultsCsv(Page& page, const Values& /*values*/) {
    return Object(
        {{"csv", Quoted(page.results.Csv())}, {"fileName", Quoted(page.results.CsvFileName())}});
}

constexpr Action kActions[] = {
    {"addResults",
     {TextField("fileName"), NumberField("size"), TextField("text"), Optional(TextField("unread"))},
     AddResults},
    {"results", {Optional(NumberField("sortBy"))}, Results},
    {"removeResult",
     {Checked(NumberField("row"), "one of the rows",
              [](const Page& page, const Value& row) {
                  return Below(row.number, page.results.Rows().size());
              })},
     RemoveResult},
    {"clearResults", {}, ClearResults},
    {"resultsCsv", {}, ResultsCsv},
};

}  // namespace

std::span<const Action> ResultsActions() { return kActions; }

}  // namespace page
