// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"

namespace lesson {

// What the page's section "Шифърът на Виженер" shows for a text and a key word: the text's
// letters with the key word repeated under them, the result, and the trace on the letters'
// places there and back. Every text it shows comes from here.
class VigenereSection {
public:
    static constexpr std::size_t kTextCap = 500;
    static constexpr std::size_t kKeyWordCap = 20;

    // Encrypts or decrypts the text's letters in the alphabet, its first kTextCap characters,
    // by the key word's letters, its first kKeyWordCap characters. A text or a key word
    // without the alphabet's letters gives a note and no result.
    void Calculate(cipher::Direction direction, std::u16string_view typedText,
                   std::u16string_view typedKeyWord, const cipher::Alphabet& alphabet);

    // The text's letters, while there is a result.
    const std::u16string& Letters() const { return m_letters; }
    // The key word repeated under the letters, letter for letter.
    const std::u16string& KeyRow() const { return m_keyRow; }
    const std::u16string& Result() const { return m_result; }
    // The lines ended by line feeds alone, as a text box shows them.
    const std::u16string& Trace() const { return m_trace; }
    // What was dropped or what is wrong, and what a key word of one letter is; or empty.
    const std::u16string& Message() const { return m_message; }
    const std::u16string& Announcement() const { return m_announcement; }

private:
    std::u16string m_letters;
    std::u16string m_keyRow;
    std::u16string m_result;
    std::u16string m_trace;
    std::u16string m_message;
    std::u16string m_announcement;
};

}  // namespace lesson
