// SPDX-License-Identifier: GPL-3.0-or-later
// The cipher with a key word: encrypting and decrypting with it, and breaking it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cipher/vigenere.h"
#include "cipher/vigenere_breaking.h"
#include "lesson/vigenere/vigenere_break.h"
#include "lesson/vigenere/vigenere_section.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

// The text's letters over the key word's, the result, the trace and what to say of them.
std::string VigenereState(const lesson::VigenereSection& section) {
    return Object({{"letters", Quoted(section.Letters())},
                   {"keyRow", Quoted(section.KeyRow())},
                   {"lettersSaid", Quoted(section.LettersSaid())},
                   {"keyRowSaid", Quoted(section.KeyRowSaid())},
                   {"result", Quoted(section.Result())},
                   {"trace", Quoted(section.Trace())},
                   {"message", Quoted(section.Message())},
                   {"announcement", Quoted(section.Announcement())}});
}

std::string Thousandths(double value) { return Number(std::llround(value * 1000)); }

// Each length's coincidence beside the language's, the repeated groups, the lengths to choose
// from, the key word, the shown column broken as the breaking section shows a text, and the
// decryption.
std::string VigenereBreakState(const lesson::VigenereBreak& section) {
    std::vector<std::string> coincidences;
    for (std::size_t i = 0; i < section.Coincidences().size(); ++i) {
        coincidences.push_back(Object({{"thousandths", Thousandths(section.Coincidences()[i])},
                                       {"text", Quoted(section.CoincidenceTexts()[i])}}));
    }
    std::vector<std::string> lengths;
    std::vector<std::string> columnNames;
    for (std::int32_t length = 1; length <= cipher::kLongestKeyWord; ++length) {
        lengths.push_back(Quoted(section.LengthChoice(length)));
        columnNames.push_back(Quoted(lesson::VigenereBreak::ColumnName(length - 1)));
    }
    const std::string groups =
        ArrayOf(section.Groups(), [](const lesson::VigenereBreak::GroupRow& row) {
            return Object({{"letters", Quoted(row.letters)},
                           {"places", Quoted(row.places)},
                           {"distances", Quoted(row.distances)},
                           {"divisors", Quoted(row.divisors)}});
        });
    std::vector<std::string> columnRows;
    for (std::size_t row = 0; section.Broken() && row < section.Column().Rows(); ++row) {
        columnRows.push_back(Quoted(section.ColumnRowName(row)));
    }
    return Object({{"alphabet", Quoted(AlphabetName(section.Letters()))},
                   {"broken", Boolean(section.Broken())},
                   {"coincidences", Array(coincidences)},
                   {"languageThousandths", Thousandths(section.LanguageCoincidence())},
                   {"languageText", Quoted(section.LanguageCoincidenceText())},
                   {"likeliest", Number(std::int64_t{section.LikeliestLength()})},
                   {"lengths", Array(lengths)},
                   {"length", Number(std::int64_t{section.Length()})},
                   {"groups", groups},
                   {"groupsNote", Quoted(section.GroupsNote())},
                   {"keyWord", Quoted(section.KeyWord())},
                   {"columnNames", Array(columnNames)},
                   {"shownColumn", Number(std::int64_t{section.ShownColumn()})},
                   {"columnHeading", Quoted(section.ColumnHeading())},
                   {"column", section.Broken() ? BreakState(section.Column(), false) : "null"},
                   {"columnRows", Array(columnRows)},
                   {"decrypted", Quoted(section.Decrypted())},
                   {"trace", Quoted(section.Trace())},
                   {"message", Quoted(section.Message())},
                   {"announcement", Quoted(section.Announcement())}});
}

// Encrypts or decrypts, as the direction names.
std::string Vigenere(Page& page, const Values& values) {
    page.vigenere.Calculate(DirectionOf(values[0]), values[1].text, values[2].text,
                            *values[3].alphabet);
    return VigenereState(page.vigenere);
}

std::string VigenereBreak(Page& page, const Values& values) {
    page.vigenereBreak.Break(values[0].text, *values[1].alphabet);
    return VigenereBreakState(page.vigenereBreak);
}

std::string VigenereLength(Page& page, const Values& values) {
    page.vigenereBreak.ChooseLength(static_cast<std::int32_t>(values[0].number));
    return VigenereBreakState(page.vigenereBreak);
}

std::string VigenereLetter(Page& page, const Values& values) {
    page.vigenereBreak.ChooseLetter(static_cast<std::int32_t>(values[0].number),
                                    values[1].text.front());
    return VigenereBreakState(page.vigenereBreak);
}

std::string VigenereColumn(Page& page, const Values& values) {
    page.vigenereBreak.ShowColumn(static_cast<std::int32_t>(values[0].number));
    return VigenereBreakState(page.vigenereBreak);
}

bool IsLength(const Page& page, const Value& length) {
    return page.vigenereBreak.TakesLength(length.number);
}

bool IsColumn(const Page& page, const Value& column) {
    return page.vigenereBreak.TakesColumn(column.number);
}

bool IsLetter(const Page& page, const Value& letter) {
    return page.vigenereBreak.TakesLetter(letter.text);
}

constexpr Field kColumn = Checked(NumberField("column"), "one of the columns", IsColumn);

constexpr Action kActions[] = {
    {"vigenere",
     {DirectionField(), TextField("text"), TextField("keyWord"), KnownAlphabet()},
     Vigenere},
    {"vigenereBreak", {TextField("text"), KnownAlphabet()}, VigenereBreak},
    {"vigenereLength",
     {Checked(NumberField("length"), "a length of key for a broken text", IsLength)},
     VigenereLength},
    {"vigenereLetter",
     {kColumn, Checked(TextField("letter"), "one of the alphabet's letters", IsLetter)},
     VigenereLetter},
    {"vigenereColumn", {kColumn}, VigenereColumn},
};

}  // namespace

std::span<const Action> VigenereActions() { return kActions; }

}  // namespace page
