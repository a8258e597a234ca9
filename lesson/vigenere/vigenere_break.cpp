// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/vigenere/vigenere_break.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/vigenere.h"
#include "cipher/vigenere_breaking.h"
#include "lesson/caesar/break_section.h"
#include "lesson/text/decimal_comma.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/line_feeds.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

namespace {

// Numbers joined by commas, each with what is added to it; a dash for none.
template <typename Number>
std::u16string Joined(const std::vector<Number>& numbers, std::int64_t added) {
    if (numbers.empty()) {
        return u"—";
    }
    std::u16string text;
    for (const Number number : numbers) {
        if (!text.empty()) {
            text += u", ";
        }
        cipher::AppendDecimal(text, static_cast<std::int64_t>(number) + added);
    }
    return text;
}

}  // namespace

void VigenereBreak::Break(std::u16string_view text, const cipher::Alphabet& alphabet) {
    m_alphabet = &alphabet;
    m_broken =
        cipher::BreakKeyWord(text.substr(0, static_cast<std::size_t>(kCiphertextCap)), alphabet);
    m_coincidenceTexts.resize(m_broken.coincidences.size());
    std::transform(m_broken.coincidences.begin(), m_broken.coincidences.end(),
                   m_coincidenceTexts.begin(),
                   [](double coincidence) { return WithDecimalComma(coincidence, 3); });
    m_groups.clear();
    for (std::size_t i = 0; i < m_broken.groups.size() && i < kGroupsShown; ++i) {
        const cipher::RepeatedGroup& group = m_broken.groups[i];
        m_groups.push_back({group.letters, Joined(group.places, 1), Joined(group.distances, 0),
                            Joined(group.divisors, 0)});
    }
    m_message = BreakingNote(alphabet, m_broken.letters.size(), kFewLetters,
                             u"При по-малко от " +
                                 cipher::DecimalText(static_cast<std::int64_t>(kFewLetters)) +
                                 u" букви ключовата дума често се намира грешно: проверете "
                                 u"дължината и буквите на колоните.");
    m_length = 0;
    m_keyWord.clear();
    m_decrypted.clear();
    m_trace.clear();
    if (Broken()) {
        ChooseLength(m_broken.length);
    }
    Announce(Broken() ? LengthSentence(u"Най-вероятна дължина") + u" " + TextSentence() : u"");
}

bool VigenereBreak::TakesLength(std::int64_t length) const {
    return Broken() && length >= 1 && length <= cipher::kLongestKeyWord;
}

bool VigenereBreak::TakesLetter(std::u16string_view letter) const {
    return letter.size() == 1 && m_alphabet->PlaceOf(letter.front()) != std::u16string_view::npos;
}

void VigenereBreak::ChooseLength(std::int32_t length) {
    if (!TakesLength(length)) {
        return;
    }
    m_length = length;
    m_keyWord = m_broken.keyWords[static_cast<std::size_t>(length - 1)];
    ShowColumn(0);
    Decrypt();
    m_announcement = LengthSentence(u"Дължина");
}

void VigenereBreak::ChooseLetter(std::int32_t column, char16_t letter) {
    if (!TakesColumn(column) || !TakesLetter(std::u16string_view(&letter, 1))) {
        return;
    }
    m_keyWord[static_cast<std::size_t>(column)] = letter;
    ShowColumn(column);
    Decrypt();
    m_announcement = u"Ключова дума: " + SpelledLetters(m_keyWord) + u". " + TextSentence();
}

void VigenereBreak::ShowColumn(std::int32_t column) {
    if (!TakesColumn(column)) {
        return;
    }
    m_shown = column;
    m_column.Break(cipher::Column(m_broken.letters, m_length, column), *m_alphabet, 0);
    const auto shift =
        static_cast<std::int32_t>(m_alphabet->PlaceOf(m_keyWord[static_cast<std::size_t>(column)]));
    for (std::size_t row = 0; row < m_column.Rows(); ++row) {
        if (m_column.Offset(row) == shift) {
            m_column.Choose(row);
        }
    }
}

std::u16string VigenereBreak::LengthSentence(std::u16string_view lengthName) const {
    return std::u16string(lengthName) + u" на ключа: " + cipher::DecimalText(m_length) +
           u". Намерена ключова дума: " + SpelledLetters(m_keyWord) + u".";
}

std::u16string VigenereBreak::TextSentence() const {
    return u"Текст: " + SpelledLetters(m_decrypted) + u".";
}

void VigenereBreak::Decrypt() {
    m_decrypted = cipher::KeyWordShifted(*m_alphabet, m_broken.letters, m_keyWord,
                                         cipher::Direction::kDecrypt);
    m_trace =
        WithLineFeeds(cipher::KeyWordDecryptionTrace(*m_alphabet, m_broken.letters, m_keyWord));
}

double VigenereBreak::LanguageCoincidence() const {
    return cipher::LanguageCoincidence(*m_alphabet);
}

std::u16string VigenereBreak::LanguageCoincidenceText() const {
    return WithDecimalComma(LanguageCoincidence(), 3);
}

std::u16string VigenereBreak::LengthChoice(std::int32_t length) const {
    std::u16string choice = cipher::DecimalText(length);
    if (length == m_broken.length) {
        choice += u" (най-вероятна)";
    }
    return choice;
}

std::u16string VigenereBreak::GroupsNote() const {
    if (m_broken.groups.empty()) {
        return u"Няма групи от 3 или повече букви, които се повтарят.";
    }
    if (m_broken.groups.size() <= kGroupsShown) {
        return {};
    }
    std::u16string note = u"Показани са първите ";
    cipher::AppendDecimal(note, static_cast<std::int64_t>(kGroupsShown));
    note += u" от ";
    cipher::AppendDecimal(note, static_cast<std::int64_t>(m_broken.groups.size()));
    note += u" групи.";
    return note;
}

std::u16string VigenereBreak::ColumnLabel(std::int32_t column) {
    return cipher::DecimalText(column + 1);
}

std::u16string VigenereBreak::ColumnName(std::int32_t column) {
    return u"Колона " + ColumnLabel(column);
}

std::u16string VigenereBreak::ColumnRowName(std::size_t row) const {
    const std::int32_t shift = m_column.Offset(row);
    const std::u16string letter(1, m_alphabet->letters[static_cast<std::size_t>(shift)]);
    return letter + u" (" + cipher::DecimalText(shift) + u")";
}

std::u16string VigenereBreak::ColumnHeading() const {
    if (!Broken()) {
        return {};
    }
    std::u16string heading = ColumnName(m_shown);
    heading += u" от ";
    cipher::AppendDecimal(heading, m_length);
    heading += u". Букви в нея: ";
    // Every length'th letter from the column's first: the text's letters past it, in
    // rounds of the length, the last round perhaps short.
    const auto size = static_cast<std::int64_t>(m_broken.letters.size());
    cipher::AppendDecimal(heading, (size - m_shown + m_length - 1) / m_length);
    heading += u"; всички са шифрирани с една и съща буква на ключа.";
    return heading;
}

}  // namespace lesson
