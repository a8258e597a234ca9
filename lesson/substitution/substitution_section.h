// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"
#include "lesson/text/section_outcome.h"

namespace lesson {

// What the page's section "Заместващ шифър" shows for a text and a key: the alphabet over the
// key, the result, and the trace on the letters' places there and back; a note on what was
// dropped or what is wrong with the key. Every text it shows comes from here.
class SubstitutionSection : public CipherOutcome {
public:
    static constexpr std::size_t kTextCap = 500;
    static constexpr std::size_t kKeyCap = 80;

    // Encrypts or decrypts the text's letters, its first kTextCap characters, keeping what is
    // not a letter, by the key from the typed key word, its first kKeyCap characters. A key word
    // with as many letters as the alphabet, or more, is taken as the key itself, and refused
    // unless it has each letter once.
    void Calculate(cipher::Direction direction, std::u16string_view typedText,
                   std::u16string_view typedKey, const cipher::Alphabet& alphabet);

    // The key: the letter each of the alphabet's letters becomes; kept only while there is a
    // result.
    const std::u16string& Key() const { return m_key; }
    // The alphabet's letters, over the key.
    std::u16string_view Plain() const { return m_plain; }
    // The key the text was encrypted with, where it is this section's last result; else empty.
    std::u16string_view KeyOfResult(std::u16string_view text,
                                    const cipher::Alphabet& alphabet) const;
    // Both rows as a screen reader says them, letter by letter.
    std::u16string PlainSaid() const;
    std::u16string KeySaid() const;

private:
    // The key from what was typed, or a note on why there is none.
    bool TakeKey(std::u16string_view typedKey, const cipher::Alphabet& alphabet);

    std::u16string m_key;
    std::u16string_view m_plain;
    bool m_encrypted = false;
};

}  // namespace lesson
