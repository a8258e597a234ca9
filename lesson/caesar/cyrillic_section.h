// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "lesson/text/section_outcome.h"

namespace lesson {

// What the page's section "Шифърът на Цезар на кирилица" shows: a phrase's Bulgarian letters
// shifted by a key, and the trace of it on the letters' places in the alphabet, there and
// back; a note on what is wrong, or on how the key was taken. Every text it shows comes from
// here.
class CyrillicSection : public CipherOutcome {
public:
    // Encrypts the phrase, its first kPhraseCap characters, by the key read the way the
    // window reads the offset and taken modulo 30. A key of 0 modulo 30, a phrase with no
    // Bulgarian letters or a key past 32 bits gives a note and no result.
    void Calculate(std::u16string_view typedPhrase, std::u16string_view typedKey);

    // The key the phrase's letters were shifted by, from 1 to 29.
    std::int32_t Key() const { return m_key; }

private:
    std::int32_t m_key = 0;
};

}  // namespace lesson
