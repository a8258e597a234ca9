// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/breaking.h"
#include "lesson/text/section_outcome.h"

namespace lesson {

// The note on a text of so many LETTERS to break: without the alphabet's letters, that there
// is nothing to break; below FEW, "Текстът има само 12 букви. " and the ADVICE; from FEW on,
// none.
std::u16string BreakingNote(const cipher::Alphabet& alphabet, std::size_t letters, std::size_t few,
                            std::u16string_view advice);

// What the page's section "Разбиване на шифъра" shows for an encrypted text: the letters'
// counts beside the language's, every offset with its decoded letters and score, likeliest
// first, and the decryption trace of the chosen offset; a note on a text without letters or
// with too few to trust. Every text it shows comes from here.
class BreakSection : public SectionOutcome {
public:
    // Tries every offset from the first on the text, its first kCiphertextCap characters, in
    // the alphabet, and chooses the likeliest.
    void Break(std::u16string_view text, const cipher::Alphabet& alphabet = cipher::LatinAlphabet(),
               std::int32_t firstOffset = 1);

    // Chooses a row of the offsets; a row past them changes nothing.
    void Choose(std::size_t row);

    const cipher::Alphabet& Letters() const { return *m_alphabet; }
    // Whether a text has been tried, with or without letters: another alphabet then breaks it
    // again.
    bool Tried() const { return m_tried; }
    // The offsets tried: from the first to one less than the alphabet's size, or none for a
    // text without its letters.
    std::size_t Rows() const { return m_result.trials.size(); }
    std::size_t Chosen() const { return m_chosen; }
    std::int32_t Offset(std::size_t row) const { return m_result.trials.at(row).offset; }
    // The row's decoded letters, the first kDecodedShown of them.
    const std::u16string& Decoded(std::size_t row) const { return m_decoded.at(row); }
    // The row's chi-squared, with two decimals and a decimal comma.
    const std::u16string& Score(std::size_t row) const { return m_scores.at(row); }

    // How often the alphabet's letter i (0 for its first) occurs in the text.
    std::int32_t Count(std::size_t letter) const { return m_result.counts.at(letter); }
    // How often it would occur if the text were the language's encrypted by the likeliest
    // offset, and that number with one decimal; 0 without letters.
    double Expected(std::size_t letter) const { return m_expected.at(letter); }
    const std::u16string& ExpectedText(std::size_t letter) const {
        return m_expectedTexts.at(letter);
    }

    // Which language's frequencies the counts are compared with, and where they come from;
    // the heading of the column of expected counts.
    std::u16string Comparison() const;
    std::u16string ExpectedHeading() const;
    // The chosen row's decryption, its lines ended by line feeds alone; written when asked
    // for, as a column of a text broken with a key word never shows its own.
    std::u16string Trace() const;

    // The row of the likeliest offset, the one chosen when a text is broken.
    static constexpr std::size_t kLikeliestRow = 0;
    static constexpr std::size_t kDecodedShown = 60;
    // Below this many letters the note warns that frequencies may mislead: the likeliest key is
    // right for 96.7% of 20-letter windows of English prose and 95.8% of Bulgarian, and ever
    // less often below.
    static constexpr std::size_t kFewLetters = 20;

    // The heading of the decoded letters' column, which says how many it shows, and the mark
    // of the likeliest row.
    static std::u16string DecodedHeading();
    static constexpr std::u16string_view kLikeliestMark = u"най-вероятно";

private:
    const cipher::Alphabet* m_alphabet = &cipher::LatinAlphabet();
    bool m_tried = false;
    cipher::BreakResult m_result;
    std::size_t m_chosen = kLikeliestRow;
    std::vector<std::u16string> m_decoded;
    std::vector<std::u16string> m_scores;
    std::vector<double> m_expected = std::vector<double>(m_alphabet->letters.size());
    std::vector<std::u16string> m_expectedTexts =
        std::vector<std::u16string>(m_alphabet->letters.size());
};

}  // namespace lesson
