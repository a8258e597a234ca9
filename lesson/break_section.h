// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/breaking.h"

namespace lesson {

// What the page's section "Разбиване на шифъра" shows for an encrypted text: the letters'
// counts beside English, every offset with its decoded letters and score, likeliest first,
// and the decryption trace of the chosen offset. Every text it shows comes from here.
class BreakSection {
public:
    // Tries every offset on the text, its first kCiphertextCap characters, and chooses the
    // likeliest.
    void Break(std::u16string_view text);

    // Chooses a row of the offsets and writes its trace; a row past them changes nothing.
    void Choose(std::size_t row);

    // The offsets tried: 25, or none for a text without letters A-Z.
    std::size_t Rows() const { return m_result.trials.size(); }
    std::size_t Chosen() const { return m_chosen; }
    std::int32_t Offset(std::size_t row) const { return m_result.trials.at(row).offset; }
    // The row's decoded letters, the first kDecodedShown of them.
    const std::u16string& Decoded(std::size_t row) const { return m_decoded.at(row); }
    // The row's chi-squared, with two decimals and a decimal comma.
    const std::u16string& Score(std::size_t row) const { return m_scores.at(row); }

    // How often letter i (0 for A) occurs in the text.
    std::int32_t Count(std::size_t letter) const { return m_result.counts.at(letter); }
    // How often it would occur if the text were English encrypted by the likeliest offset,
    // and that number with one decimal; 0 without letters.
    double Expected(std::size_t letter) const { return m_expected.at(letter); }
    const std::u16string& ExpectedText(std::size_t letter) const {
        return m_expectedTexts.at(letter);
    }

    // A note on the text (no letters, or too few to trust), or empty.
    const std::u16string& Message() const { return m_message; }
    // What a screen reader says once the text is broken.
    const std::u16string& Announcement() const { return m_announcement; }
    // The chosen row's decryption, its lines ended by line feeds alone.
    const std::u16string& Trace() const { return m_trace; }

    static constexpr std::size_t kDecodedShown = 60;
    // Below this many letters the note warns that frequencies may mislead: on English prose
    // the likeliest key is right for 96.7% of 20-letter windows, and ever less often below.
    static constexpr std::size_t kFewLetters = 20;

    // The heading of the decoded letters' column, which says how many it shows, and the mark
    // of the likeliest row.
    static std::u16string DecodedHeading();
    static constexpr std::u16string_view kLikeliestMark = u"най-вероятно";

private:
    cipher::BreakResult m_result;
    std::size_t m_chosen = 0;
    std::vector<std::u16string> m_decoded;
    std::vector<std::u16string> m_scores;
    std::array<double, 26> m_expected{};
    std::array<std::u16string, 26> m_expectedTexts;
    std::u16string m_message;
    std::u16string m_announcement;
    std::u16string m_trace;
};

}  // namespace lesson
