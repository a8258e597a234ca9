// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/section_outcome.h"

namespace lesson {

// A substitution solved in the page's section: by the student, a guess of a plain letter for
// each cipher letter, with the text redrawn and hints on request, or by the page's breaking,
// whose key the student may then correct letter by letter. Every text it shows comes from
// here.
class SubstitutionSolving : public SectionOutcome {
public:
    // One of the text's cipher letters, the commonest first.
    struct Row {
        char16_t letter = 0;
        std::int32_t count = 0;
        // The plain letter guessed for it, or 0.
        char16_t guess = 0;
        // Whether the same plain letter is guessed for another cipher letter too.
        bool clash = false;
        // The language's letter as common as this one is in the text, by rank.
        char16_t common = 0;
    };

    static constexpr auto kTextCap = static_cast<std::size_t>(kCiphertextCap);

    // Takes a new encrypted text, its first kTextCap characters, with no guesses; the key it
    // was encrypted with, where the page knows it and it is a whole key, gives the hints'
    // letters, and the breaking's guesses do without it.
    void Start(std::u16string_view typedText, const cipher::Alphabet& alphabet,
               std::u16string_view key = {});
    // What a screen reader calls the box of the guess for a cipher letter:
    // "Предположение за гъ".
    static std::u16string GuessLabel(char16_t cipherLetter);
    // Whether the letter is one of the text's cipher letters.
    bool TakesLetter(std::u16string_view letter) const;

    // The same, unless the text and alphabet are those taken already.
    void Take(std::u16string_view typedText, const cipher::Alphabet& alphabet,
              std::u16string_view key = {});
    // Guesses the typed plain letter for one of the text's cipher letters; a typed text that is
    // not one of the alphabet's letters takes the guess back.
    void Guess(char16_t cipherLetter, std::u16string_view typed);
    // Guesses every letter by breaking the text.
    void Break();
    // The next hint: the commonest letters, then the commonest short words, then a letter
    // given, one at each request.
    void Hint();

    const std::vector<Row>& Rows() const { return m_rows; }
    // The text with the guesses in place of its letters and a dot for each letter not guessed.
    std::u16string Solved() const;
    // The key as far as it is guessed: for each of the alphabet's letters, the cipher letter
    // guessed to stand for it, or a dot.
    std::u16string KeyGuessed() const;
    // The scores of the last breaking's climb, empty before one.
    const std::vector<std::int64_t>& Climb() const { return m_climb; }
    // What the climb came to, in words; empty before one.
    std::u16string ClimbNote() const;
    const std::vector<std::u16string>& Hints() const { return m_hints; }

private:
    Row* RowOf(char16_t cipherLetter);
    void MarkClashes();
    void Redrawn(std::u16string_view note);
    std::u16string LetterHint();

    const cipher::Alphabet* m_alphabet = nullptr;
    std::u16string m_text;
    std::u16string m_key;
    bool m_keyKnown = false;
    std::vector<Row> m_rows;
    std::vector<std::int64_t> m_climb;
    std::vector<std::u16string> m_hints;
};

}  // namespace lesson
