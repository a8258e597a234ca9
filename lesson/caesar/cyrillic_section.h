// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lesson {

// What the page's section "Шифърът на Цезар на кирилица" shows: a phrase's Bulgarian letters
// shifted by a key, and the trace of it on the letters' places in the alphabet, there and
// back. Every text it shows comes from here.
class CyrillicSection {
public:
    // Encrypts the phrase, its first kPhraseCap characters, by the key read the way the
    // window reads the offset and taken modulo 30. A key of 0 modulo 30, a phrase with no
    // Bulgarian letters or a key past 32 bits gives a note and no result.
    void Calculate(std::u16string_view typedPhrase, std::u16string_view typedKey);

    // The phrase's Bulgarian letters, and the key they were shifted by, from 1 to 29.
    const std::u16string& Letters() const { return m_letters; }
    std::int32_t Key() const { return m_key; }
    const std::u16string& Result() const { return m_result; }
    // The lines ended by line feeds alone, as a text box shows them.
    const std::u16string& Trace() const { return m_trace; }
    // What is wrong, or how the key was taken; or empty.
    const std::u16string& Message() const { return m_message; }
    const std::u16string& Announcement() const { return m_announcement; }

private:
    std::u16string m_letters;
    std::int32_t m_key = 0;
    std::u16string m_result;
    std::u16string m_trace;
    std::u16string m_message;
    std::u16string m_announcement;
};

}  // namespace lesson
