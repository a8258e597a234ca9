// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/vigenere_breaking.h"
#include "lesson/caesar/break_section.h"
#include "lesson/text/section_outcome.h"

namespace lesson {

// What the section "Шифърът на Виженер" shows of breaking a text encrypted with a key word:
// the coincidences of each length of key against the language's, the groups that repeat, the
// key word found column by column (each column broken as the Caesar breaking breaks a text,
// and its letter for the student to change), the decrypted letters and their trace. Every
// text it shows comes from here.
class VigenereBreak : public SectionOutcome {
public:
    // A repeated group as a row of its table, its places counted from 1.
    struct GroupRow {
        std::u16string letters, places, distances, divisors;
    };

    static constexpr std::size_t kGroupsShown = 12;
    // The mark of the likeliest letter of a column.
    static constexpr std::u16string_view kLikeliestLetterMark = u"най-вероятна";
    // Below this many letters the note warns that the key word may be found wrong: at 150,
    // it is found whole for about 85% of texts.
    static constexpr std::size_t kFewLetters = 150;

    // Breaks the text, its first kCiphertextCap characters, in the alphabet: the likeliest
    // length, its key word and its first column shown.
    void Break(std::u16string_view text, const cipher::Alphabet& alphabet);
    // Another length, from 1 to kLongestKeyWord, with its columns broken anew; any other
    // changes nothing.
    void ChooseLength(std::int32_t length);
    // A column's key letter, one of the alphabet's, set and that column shown; any other
    // column or letter changes nothing.
    void ChooseLetter(std::int32_t column, char16_t letter);
    void ShowColumn(std::int32_t column);
    // What the choices above take: a length once a text is broken, a column of the length
    // chosen, a letter of the alphabet.
    bool TakesLength(std::int64_t length) const;
    bool TakesColumn(std::int64_t column) const { return column >= 0 && column < m_length; }
    bool TakesLetter(std::u16string_view letter) const;

    const cipher::Alphabet& Letters() const { return *m_alphabet; }
    bool Broken() const { return !m_broken.letters.empty(); }
    // The mean coincidence of the columns for each length from 1, and the language's.
    const std::vector<double>& Coincidences() const { return m_broken.coincidences; }
    const std::vector<std::u16string>& CoincidenceTexts() const { return m_coincidenceTexts; }
    double LanguageCoincidence() const;
    std::u16string LanguageCoincidenceText() const;
    std::int32_t LikeliestLength() const { return m_broken.length; }
    // Each length as its choice says it, the likeliest marked.
    std::u16string LengthChoice(std::int32_t length) const;
    // The first kGroupsShown groups, and what the table holds of how many were found.
    const std::vector<GroupRow>& Groups() const { return m_groups; }
    std::u16string GroupsNote() const;

    std::int32_t Length() const { return m_length; }
    const std::u16string& KeyWord() const { return m_keyWord; }
    std::int32_t ShownColumn() const { return m_shown; }
    // What a column's choice of letter shows beside it, "2", and what it is called, "Колона 2".
    static std::u16string ColumnLabel(std::int32_t column);
    static std::u16string ColumnName(std::int32_t column);
    // "Колона 2 от 5. Букви в нея: 38; всички са шифрирани с една и съща буква на ключа.";
    // empty before a text is broken.
    std::u16string ColumnHeading() const;
    // The shown column broken as a Caesar text, every key letter from A tried, and a row of it
    // as its table names it: the key letter and its shift, "L (11)".
    const BreakSection& Column() const { return m_column; }
    std::u16string ColumnRowName(std::size_t row) const;
    const std::u16string& Decrypted() const { return m_decrypted; }
    // The decryption's lines, ended by line feeds alone.
    const std::u16string& Trace() const { return m_trace; }

private:
    void Decrypt();
    // "Дължина на ключа: 5. Намерена ключова дума: L, E, M, O, N.", the length so named.
    std::u16string LengthSentence(std::u16string_view lengthName) const;
    // "Текст: T, H, E.": the decrypted letters.
    std::u16string TextSentence() const;

    const cipher::Alphabet* m_alphabet = &cipher::LatinAlphabet();
    cipher::KeyWordBreak m_broken;
    std::vector<std::u16string> m_coincidenceTexts;
    std::vector<GroupRow> m_groups;
    std::int32_t m_length = 0;
    std::u16string m_keyWord;
    std::int32_t m_shown = 0;
    BreakSection m_column;
    std::u16string m_decrypted;
    std::u16string m_trace;
};

}  // namespace lesson
