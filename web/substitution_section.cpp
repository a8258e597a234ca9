// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution cipher: encrypting and decrypting with a mixed alphabet, and solving a text
// by hand or by breaking it.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/vigenere.h"
#include "lesson/substitution/substitution_section.h"
#include "lesson/substitution/substitution_solving.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

// The alphabet over the key, the result, the trace and what to say of them.
std::string SubstitutionState(const lesson::SubstitutionSection& section) {
    return Object({{"plain", Quoted(section.Plain())},
                   {"key", Quoted(section.Key())},
                   {"plainSaid", Quoted(section.PlainSaid())},
                   {"keySaid", Quoted(section.KeySaid())},
                   {"result", Quoted(section.Result())},
                   {"trace", Quoted(section.Trace())},
                   {"message", Quoted(section.Message())},
                   {"announcement", Quoted(section.Announcement())}});
}

// The text's letters, commonest first, with their guesses; the text as far as it is solved,
// the key so far, the breaking's climb and the hints given.
std::string SolvingState(const lesson::SubstitutionSolving& solving) {
    const std::string rows =
        ArrayOf(solving.Rows(), [](const lesson::SubstitutionSolving::Row& row) {
            return Object({{"letter", Quoted(std::u16string(1, row.letter))},
                           {"label", Quoted(lesson::SubstitutionSolving::GuessLabel(row.letter))},
                           {"count", Number(std::int64_t{row.count})},
                           {"guess", Quoted(row.guess == 0 ? u"" : std::u16string(1, row.guess))},
                           {"clash", Boolean(row.clash)},
                           {"common", Quoted(std::u16string(1, row.common))}});
        });
    std::vector<std::string> climb(solving.Climb().size());
    std::transform(solving.Climb().begin(), solving.Climb().end(), climb.begin(),
                   [](std::int64_t score) { return Number(score); });
    return Object({{"solving", Boolean(!solving.Rows().empty())},
                   {"rows", rows},
                   {"solved", Quoted(solving.Solved())},
                   {"key", Quoted(solving.KeyGuessed())},
                   {"climb", Array(climb)},
                   {"climbNote", Quoted(solving.ClimbNote())},
                   {"hints", QuotedArray(solving.Hints())},
                   {"message", Quoted(solving.Message())},
                   {"announcement", Quoted(solving.Announcement())}});
}

std::string Substitution(Page& page, const Values& values) {
    page.substitution.Calculate(DirectionOf(values[0]), values[1].text, values[2].text,
                                *values[3].alphabet);
    return SubstitutionState(page.substitution);
}

// The key of a text typed to solve where it was encrypted in the section above, for the
// hints' letters.
std::u16string_view KeyOfTyped(const Page& page, const Values& values) {
    return page.substitution.KeyOfResult(values[0].text, *values[1].alphabet);
}

std::string SolvingStart(Page& page, const Values& values) {
    page.solving.Start(values[0].text, *values[1].alphabet, KeyOfTyped(page, values));
    return SolvingState(page.solving);
}

// Breaking and hints start on the text typed, unless it is the one started on.
void TakeText(Page& page, const Values& values) {
    page.solving.Take(values[0].text, *values[1].alphabet, KeyOfTyped(page, values));
}

std::string SolvingGuess(Page& page, const Values& values) {
    page.solving.Guess(values[0].text.front(), values[1].text);
    return SolvingState(page.solving);
}

std::string SolvingBreak(Page& page, const Values& values) {
    TakeText(page, values);
    page.solving.Break();
    return SolvingState(page.solving);
}

std::string SolvingHint(Page& page, const Values& values) {
    TakeText(page, values);
    page.solving.Hint();
    return SolvingState(page.solving);
}

bool IsCipherLetter(const Page& page, const Value& letter) {
    return page.solving.TakesLetter(letter.text);
}

constexpr Action kActions[] = {
    {"substitution",
     {DirectionField(), TextField("text"), TextField("key"), KnownAlphabet()},
     Substitution},
    {"solvingStart", {TextField("text"), KnownAlphabet()}, SolvingStart},
    {"solvingGuess",
     {Checked(TextField("letter"), "one of the text's cipher letters", IsCipherLetter),
      TextField("guess")},
     SolvingGuess},
    {"solvingBreak", {TextField("text"), KnownAlphabet()}, SolvingBreak},
    {"solvingHint", {TextField("text"), KnownAlphabet()}, SolvingHint},
};

}  // namespace

std::span<const Action> SubstitutionActions() { return kActions; }

}  // namespace page
