// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/vigenere/vigenere_section.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/vigenere.h"
#include "lesson/text/language.h"
#include "lesson/text/line_feeds.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

void VigenereSection::Calculate(cipher::Direction direction, std::u16string_view typedText,
                                std::u16string_view typedKeyWord,
                                const cipher::Alphabet& alphabet) {
    const std::u16string_view text = typedText.substr(0, kTextCap);
    const std::u16string_view typedKey = typedKeyWord.substr(0, kKeyWordCap);
    const std::u16string keyWord = alphabet.Reduce(typedKey);
    m_letters = alphabet.Reduce(text);
    m_keyRow.clear();
    m_result.clear();
    m_trace.clear();
    m_message.clear();
    if (keyWord.empty() || m_letters.empty()) {
        m_message = NoLettersNote(alphabet, keyWord.empty() ? u"в ключовата дума." : u"в текста.");
        m_letters.clear();
    } else {
        m_keyRow = cipher::KeyWordRow(keyWord, m_letters.size());
        m_result = cipher::KeyWordShifted(alphabet, m_letters, keyWord, direction);
        m_trace = WithLineFeeds(cipher::KeyWordTrace(alphabet, m_letters, keyWord, direction));
        AddSentence(m_message, ForeignLettersNote(text, alphabet));
        if (keyWord.size() != typedKey.size()) {
            AddSentence(m_message, KeyWordSignsNote(alphabet, keyWord));
        }
        if (keyWord.size() == 1) {
            std::u16string note =
                u"Ключова дума от една буква е шифърът на Цезар: всяка буква се измества с ";
            cipher::AppendDecimal(note, static_cast<std::int64_t>(alphabet.PlaceOf(keyWord[0])));
            AddSentence(m_message, note + u" (" + keyWord + u").");
        }
    }
    m_announcement = m_message;
    if (!m_result.empty()) {
        m_announcement = u"Резултат: ";
        m_announcement += SpelledLetters(m_result);
        m_announcement += u".";
        AddSentence(m_announcement, m_message);
    }
}

std::u16string VigenereSection::LettersSaid() const { return SpelledLetters(m_letters); }

std::u16string VigenereSection::KeyRowSaid() const { return SpelledLetters(m_keyRow); }

}  // namespace lesson
