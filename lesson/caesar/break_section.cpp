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

std::u16string BreakingNote(const cipher::Alphabet& alphabet, std::size_t letters, std::size_t few,
                            std::u16string_view advice) {
    if (letters == 0) {
        return NoLettersNote(alphabet, u"в текста: няма какво да се разбие.");
    }
    if (letters >= few) {
        return {};
    }
    return u"Текстът има само " + CountOfLetters(letters) + u". " + std::u16string(advice);
}

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
    m_tried = true;
    m_result = cipher::BreakCipher(text.substr(0, static_cast<std::size_t>(kCiphertextCap)),
                                   alphabet, firstOffset);
    m_decoded.clear();
    m_scores.clear();
    for (const cipher::KeyTrial& trial : m_result.trials) {
        m_decoded.push_back(trial.decoded.substr(0, kDecodedShown));
        m_scores.push_back(WithDecimalComma(trial.score, 2));
    }
    const std::int32_t likeliest = m_result.trials.empty() ? 0 : Offset(kLikeliestRow);
    m_expected = cipher::ExpectedCounts(alphabet, m_result.letters.size(), likeliest);
    m_expectedTexts.resize(m_expected.size());
    std::transform(m_expected.begin(), m_expected.end(), m_expectedTexts.begin(),
                   [](double expected) { return WithDecimalComma(expected, 1); });
    m_message = BreakingNote(alphabet, m_result.letters.size(), kFewLetters,
                             u"При толкова кратък текст честотите на буквите често подвеждат: "
                             u"проверете и другите отмествания.");
    // The decrypted letters have no spaces between words, so they are spelled; counted from the
    // whole text, not the part shown.
    Announce(m_result.trials.empty()
                 ? u""
                 : u"Най-вероятно отместване: " + cipher::DecimalText(likeliest) + u". Текст: " +
                       SpelledLetters(m_result.trials[kLikeliestRow].decoded));
    m_chosen = kLikeliestRow;
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
