// SPDX-License-Identifier: GPL-3.0-or-later
// Breaking a Caesar cipher: every offset scored against the language's letters.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/caesar/break_section.h"
#include "lesson/text/language.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {

std::u16string_view AlphabetName(const cipher::Alphabet& alphabet) {
    return lesson::LanguageOf(alphabet).name;
}

// Every offset's row, the likeliest marked, the chosen one, each letter's count beside the
// language's, whether a text was tried, the note, the announcement and the chosen row's trace
// where it is shown.
std::string BreakState(const lesson::BreakSection& section, bool withTrace) {
    std::vector<std::string> rows;
    for (std::size_t row = 0; row < section.Rows(); ++row) {
        rows.push_back(Object({{"offset", Number(std::int64_t{section.Offset(row)})},
                               {"likeliest", Boolean(row == lesson::BreakSection::kLikeliestRow)},
                               {"decoded", Quoted(section.Decoded(row))},
                               {"score", Quoted(section.Score(row))}}));
    }
    const cipher::Alphabet& alphabet = section.Letters();
    std::vector<std::string> letters;
    for (std::size_t letter = 0; letter < alphabet.letters.size(); ++letter) {
        letters.push_back(
            Object({{"letter", Quoted(alphabet.letters.substr(letter, 1))},
                    {"count", Number(std::int64_t{section.Count(letter)})},
                    {"expectedThousandths", Number(std::llround(section.Expected(letter) * 1000))},
                    {"expectedText", Quoted(section.ExpectedText(letter))}}));
    }
    return Object({{"alphabet", Quoted(AlphabetName(alphabet))},
                   {"comparison", Quoted(section.Comparison())},
                   {"expectedHeading", Quoted(section.ExpectedHeading())},
                   {"rows", Array(rows)},
                   {"chosen", Number(static_cast<std::int64_t>(section.Chosen()))},
                   {"letters", Array(letters)},
                   {"tried", Boolean(section.Tried())},
                   {"message", Quoted(section.Message())},
                   {"announcement", Quoted(section.Announcement())},
                   {"trace", Quoted(withTrace ? section.Trace() : u"")}});
}

namespace {

std::string Break(Page& page, const Values& values) {
    page.breaking.Break(values[0].text, *values[1].alphabet);
    return BreakState(page.breaking);
}

std::string Choose(Page& page, const Values& values) {
    page.breaking.Choose(static_cast<std::size_t>(values[0].number));
    return BreakState(page.breaking);
}

constexpr Action kActions[] = {
    {"break", {TextField("text"), KnownAlphabet()}, Break},
    {"choose",
     {Checked(NumberField("row"), "one of the rows",
              [](const Page& page, const Value& row) {
                  return Below(row.number, page.breaking.Rows());
              })},
     Choose},
};

}  // namespace

std::span<const Action> BreakActions() { return kActions; }

}  // namespace page
