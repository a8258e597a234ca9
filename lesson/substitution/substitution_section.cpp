// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/substitution/substitution_section.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/decimal_text.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/text/language.h"
#include "lesson/text/line_feeds.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

namespace {

constexpr std::u16string_view kByKey =
    u"като заменям всяка буква с буквата от ключа на нейното място в азбуката:\r\n";
constexpr std::u16string_view kByAlphabet =
    u"като заменям всяка буква с буквата от азбуката на нейното място в ключа:\r\n";

void AppendLines(std::u16string& trace, const cipher::Alphabet& alphabet, std::u16string_view key,
                 std::u16string_view letters, cipher::Direction direction) {
    for (const char16_t letter : letters) {
        trace += cipher::SubstitutionLine(alphabet, key, letter, direction);
        trace += u"\r\n";
    }
}

}  // namespace

bool SubstitutionSection::TakeKey(std::u16string_view typedKey, const cipher::Alphabet& alphabet) {
    const std::u16string letters = alphabet.Reduce(typedKey);
    if (letters.empty()) {
        m_message = NoLettersNote(alphabet, u"в ключа.");
        return false;
    }
    if (letters.size() < alphabet.letters.size()) {
        m_key = cipher::MixedAlphabet(alphabet, letters);
        if (letters.size() != typedKey.size()) {
            AddSentence(m_message, KeyWordSignsNote(alphabet, letters));
        }
        return true;
    }
    const cipher::KeyFaults faults = cipher::FaultsOfKey(alphabet, letters);
    if (faults.repeated.empty() && faults.missing.empty()) {
        m_key = letters;
        return true;
    }
    m_message = u"Ключ с ";
    cipher::AppendDecimal(m_message, alphabet.Size());
    m_message += u" букви или повече е цяла азбука и всяка буква е в него точно веднъж.";
    if (!faults.repeated.empty()) {
        m_message += u" Повече от веднъж: " + EnumeratedLetters(faults.repeated) + u".";
    }
    if (!faults.missing.empty()) {
        m_message += faults.missing.size() == 1 ? u" Липсва: " : u" Липсват: ";
        m_message += EnumeratedLetters(faults.missing) + u".";
    }
    return false;
}

void SubstitutionSection::Calculate(cipher::Direction direction, std::u16string_view typedText,
                                    std::u16string_view typedKey,
                                    const cipher::Alphabet& alphabet) {
    const std::u16string_view text = typedText.substr(0, kTextCap);
    m_key.clear();
    m_plain = {};
    m_encrypted = direction == cipher::Direction::kEncrypt;
    m_letters = alphabet.Reduce(text);
    m_result.clear();
    m_trace.clear();
    m_message.clear();
    if (!TakeKey(typedKey.substr(0, kKeyCap), alphabet)) {
        m_key.clear();
        m_letters.clear();
    } else if (m_letters.empty()) {
        m_key.clear();
        m_message = NoLettersNote(alphabet, u"в текста.");
    } else {
        m_plain = alphabet.letters;
        m_result = cipher::Substituted(alphabet, m_key, InCapitals(text, alphabet), direction);
        const bool encrypts = direction == cipher::Direction::kEncrypt;
        std::u16string trace = cipher::TraceHeading(u"текста и ключа", m_letters.size(), m_key);
        trace += encrypts ? u"Шифрирам, " : u"Дешифрирам, ";
        trace += encrypts ? kByKey : kByAlphabet;
        AppendLines(trace, alphabet, m_key, m_letters, direction);
        trace += encrypts ? u"Дешифрирам обратно, " : u"Шифрирам обратно, ";
        trace += encrypts ? kByAlphabet : kByKey;
        AppendLines(trace, alphabet, m_key, alphabet.Reduce(m_result),
                    encrypts ? cipher::Direction::kDecrypt : cipher::Direction::kEncrypt);
        m_trace = WithLineFeeds(trace);
        AddSentence(m_message, ForeignLettersNote(text, alphabet));
    }
    Announce(m_result.empty() ? u"" : u"Резултат: " + SpelledLetters(m_result) + u".");
}

std::u16string_view SubstitutionSection::KeyOfResult(std::u16string_view text,
                                                     const cipher::Alphabet& alphabet) const {
    const bool same = m_encrypted && !m_result.empty() && m_plain == alphabet.letters &&
                      InCapitals(text, alphabet) == m_result;
    return same ? std::u16string_view(m_key) : std::u16string_view();
}

std::u16string SubstitutionSection::PlainSaid() const { return SpelledLetters(m_plain); }

std::u16string SubstitutionSection::KeySaid() const { return SpelledLetters(m_key); }

}  // namespace lesson
