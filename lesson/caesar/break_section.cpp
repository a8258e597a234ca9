// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/caesar/break_section.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/breaking.h"
#include "cipher/decimal_text.h"
#include "lesson/text/decimal_comma.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"
#include "lesson/text/line_feeds.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

namespace {

std::u16string LettersNote(const cipher::Alphabet& alphabet, std::size_t letters) {
    if (letters == 0) {
        return u"Няма " + std::u16string(LanguageOf(alphabet).lettersName) +
               u" в текста: няма какво да се разбие.";
    }
    if (letters >= BreakSection::kFewLetters) {
        return {};
    }
    return u"Текстът има само " + cipher::DecimalText(static_cast<std::int64_t>(letters)) +
           (letters == 1 ? u" буква" : u" букви") +
           u". При толкова кратък текст честотите на буквите често подвеждат: "
           u"проверете и другите отмествания.";
}

}  // namespace

std::u16string BreakSection::DecodedHeading() {
    return u"Дешифриран текст (първите " +
           cipher::DecimalText(static_cast<std::int64_t>(kDecodedShown)) + u" букви)";
}

std::u16string BreakSection::Comparison() const {
    const Language& language = LanguageOf(*m_alphabet);
    return u"Честотите за сравнение са от " + std::u16string(language.adjective) + u" текст (" +
           std::u16string(language.source) + u").";
}

std::u16string BreakSection::ExpectedHeading() const {
    return u"В " + std::u16string(LanguageOf(*m_alphabet).adjective) + u" текст";
}

void BreakSection::Break(std::u16string_view text, const cipher::Alphabet& alphabet,
                         std::int32_t firstOffset) {
    m_alphabet = &alphabet;
    m_result = cipher::BreakCipher(text.substr(0, static_cast<std::size_t>(kCiphertextCap)),
                                   alphabet, firstOffset);
    m_decoded.clear();
    m_scores.clear();
    for (const cipher::KeyTrial& trial : m_result.trials) {
        m_decoded.push_back(trial.decoded.substr(0, kDecodedShown));
        m_scores.push_back(WithDecimalComma(trial.score, 2));
    }
    const std::int32_t likeliest = m_result.trials.empty() ? 0 : m_result.trials[0].offset;
    const double total = static_cast<double>(m_result.letters.size());
    const auto size = static_cast<std::size_t>(alphabet.Size());
    m_expected.resize(size);
    m_expectedTexts.resize(size);
    for (std::size_t letter = 0; letter < size; ++letter) {
        // Encrypted by m, the language's letter p shows as p + m.
        const std::size_t plain = (letter + size - static_cast<std::size_t>(likeliest)) % size;
        m_expected[letter] = total * alphabet.shares[plain] / 100;
        m_expectedTexts[letter] = WithDecimalComma(m_expected[letter], 1);
    }
    m_message = LettersNote(alphabet, m_result.letters.size());
    m_announcement = m_message;
    if (!m_result.trials.empty()) {
        // The decrypted letters have no spaces between words, so they are spelled; counted
        // from the whole text, not the part shown.
        m_announcement = u"Най-вероятно отместване: ";
        m_announcement += cipher::DecimalText(likeliest);
        m_announcement += u". Текст: ";
        m_announcement += SpelledLetters(m_result.trials[0].decoded);
        if (!m_message.empty()) {
            m_announcement += u". ";
            m_announcement += m_message;
        }
    }
    m_chosen = 0;
}

void BreakSection::Choose(std::size_t row) {
    if (row >= Rows()) {
        return;
    }
    m_chosen = row;
}

std::u16string BreakSection::Trace() const {
    if (m_result.trials.empty()) {
        return {};
    }
    return WithLineFeeds(cipher::DecryptionTrace(m_result.letters, Offset(m_chosen), *m_alphabet));
}

}  // namespace lesson
