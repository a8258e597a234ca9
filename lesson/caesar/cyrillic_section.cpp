// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/caesar/cyrillic_section.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/cipher.h"
#include "cipher/decimal_text.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"
#include "lesson/text/line_feeds.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

void CyrillicSection::Calculate(std::u16string_view typedPhrase, std::u16string_view typedKey) {
    const cipher::Alphabet& alphabet = cipher::CyrillicAlphabet();
    const std::u16string size = cipher::DecimalText(alphabet.Size());
    const std::u16string highest = cipher::DecimalText(alphabet.Size() - 1);
    m_letters = alphabet.Reduce(typedPhrase.substr(0, static_cast<std::size_t>(kPhraseCap)));
    m_key = 0;
    m_result.clear();
    m_trace.clear();
    std::int32_t read = 0;
    try {
        read = cipher::ReadWholeNumber(typedKey);
    } catch (const std::overflow_error&) {
        m_message = u"Ключът е твърде голям. Въведете цяло число от 1 до " + highest + u".";
        Announce(u"");
        return;
    }
    const std::int32_t key = alphabet.KeyOf(read);
    if (key == 0) {
        m_message = u"Ключ " + cipher::DecimalText(read) +
                    u" не премества буквите: 0 и всяко кратно на " + size +
                    u" оставят всяка буква на мястото ѝ. Въведете ключ от 1 до " + highest + u".";
    } else if (m_letters.empty()) {
        m_message = NoLettersNote(alphabet, u"във фразата.");
    } else {
        m_key = key;
        for (const char16_t letter : m_letters) {
            m_result += alphabet.Shifted(letter, key);
        }
        m_trace = WithLineFeeds(cipher::CipherTrace(alphabet, m_letters, key));
        m_message.clear();
        if (read != key) {
            m_message = u"Ключ " + cipher::DecimalText(read) + u" е същото като ключ " +
                        cipher::DecimalText(key) + u": азбуката има " + size +
                        u" букви, затова ключът се взема по модул " + size + u".";
        }
    }
    Announce(m_result.empty() ? u"" : u"Шифриран: " + SpelledLetters(m_result));
}

}  // namespace lesson
