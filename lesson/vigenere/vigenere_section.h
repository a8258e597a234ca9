// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"
#include "lesson/text/section_outcome.h"

namespace lesson {

// What the page's section "Шифърът на Виженер" shows for a text and a key word: the text's
// letters with the key word repeated under them, the result, and the trace on the letters'
// places there and back; a note on what was dropped or what is wrong, and on what a key word
// of one letter is. Every text it shows comes from here.
class VigenereSection : public CipherOutcome {
public:
    static constexpr std::size_t kTextCap = 500;
    static constexpr std::size_t kKeyWordCap = 20;

    // Encrypts or decrypts the text's letters in the alphabet, its first kTextCap characters,
    // by the key word's letters, its first kKeyWordCap characters. A text or a key word
    // without the alphabet's letters gives a note and no result.
    void Calculate(cipher::Direction direction, std::u16string_view typedText,
                   std::u16string_view typedKeyWord, const cipher::Alphabet& alphabet);

    // The key word repeated under the letters, letter for letter; the letters are kept only
    // while there is a result.
    const std::u16string& KeyRow() const { return m_keyRow; }
    // Both rows as a screen reader says them, letter by letter.
    std::u16string LettersSaid() const;
    std::u16string KeyRowSaid() const;

private:
    std::u16string m_keyRow;
};

}  // namespace lesson
