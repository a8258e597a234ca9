// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/substitution/substitution_solving.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/substitution.h"
#include "lesson/substitution/commonest_first.h"
#include "lesson/substitution/letter_pairs.h"
#include "lesson/substitution/substitution_breaking.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"
#include "lesson/text/section_outcome.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

namespace {

// Where a letter is not guessed yet.
constexpr char16_t kUnknown = u'·';
// How many of the commonest letters and words a hint names.
constexpr std::size_t kNamed = 3;

// Whether the character joins the parts of one word, as in "don't" and "по-добре": a part is
// no short word of its own.
bool JoinsWord(char16_t c) { return c == u'\'' || c == u'’' || c == u'-'; }

// The text's words of each length up to three, the commonest first, as many as a hint names.
std::vector<std::vector<std::u16string>> ShortWordsOf(std::u16string_view text,
                                                      const cipher::Alphabet& alphabet) {
    std::vector<std::u16string> words;
    std::vector<std::int32_t> counts;
    std::u16string word;
    bool joined = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && alphabet.PlaceOf(text[i]) != std::u16string_view::npos) {
            joined = joined || (word.empty() && i > 0 && JoinsWord(text[i - 1]));
            word += text[i];
            continue;
        }
        joined = joined || (i < text.size() && JoinsWord(text[i]));
        if (!word.empty() && word.size() <= 3 && !joined) {
            const auto found = std::find(words.begin(), words.end(), word);
            if (found == words.end()) {
                words.push_back(word);
                counts.push_back(1);
            } else {
                ++counts[static_cast<std::size_t>(found - words.begin())];
            }
        }
        word.clear();
        joined = false;
    }
    std::vector<std::vector<std::u16string>> byLength(3);
    for (const std::size_t i : CommonestFirst(std::span<const std::int32_t>(counts))) {
        std::vector<std::u16string>& same = byLength[words[i].size() - 1];
        if (same.size() < kNamed) {
            same.push_back(words[i]);
        }
    }
    return byLength;
}

}  // namespace

void SubstitutionSolving::Start(std::u16string_view typedText, const cipher::Alphabet& alphabet,
                                std::u16string_view key) {
    m_alphabet = &alphabet;
    m_text = InCapitals(typedText.substr(0, kTextCap), alphabet);
    const cipher::KeyFaults faults = cipher::FaultsOfKey(alphabet, key);
    const bool whole =
        key.size() == alphabet.letters.size() && faults.repeated.empty() && faults.missing.empty();
    m_key = whole ? key : std::u16string_view();
    m_keyKnown = whole;
    m_rows.clear();
    m_climb.clear();
    m_hints.clear();
    m_message.clear();
    std::vector<std::int32_t> counts(alphabet.letters.size());
    std::transform(
        alphabet.letters.begin(), alphabet.letters.end(), counts.begin(), [&](char16_t letter) {
            return static_cast<std::int32_t>(std::count(m_text.begin(), m_text.end(), letter));
        });
    const std::vector<std::size_t> common = CommonestFirst(alphabet.shares);
    for (const std::size_t place : CommonestFirst(std::span<const std::int32_t>(counts))) {
        if (counts[place] > 0) {
            m_rows.push_back({alphabet.letters[place], counts[place], 0, false,
                              alphabet.letters[common[m_rows.size()]]});
        }
    }
    if (m_rows.empty()) {
        m_message = NoLettersNote(alphabet, u"в шифрирания текст.");
    }
    Redrawn(m_message);
}

void SubstitutionSolving::Take(std::u16string_view typedText, const cipher::Alphabet& alphabet,
                               std::u16string_view key) {
    if (m_alphabet != &alphabet || m_text != InCapitals(typedText.substr(0, kTextCap), alphabet)) {
        Start(typedText, alphabet, key);
    }
}

std::u16string SubstitutionSolving::GuessLabel(char16_t cipherLetter) {
    return u"Предположение за " + SpelledLetters(std::u16string_view(&cipherLetter, 1));
}

bool SubstitutionSolving::TakesLetter(std::u16string_view letter) const {
    return letter.size() == 1 && std::any_of(m_rows.begin(), m_rows.end(), [&](const Row& row) {
               return row.letter == letter[0];
           });
}

SubstitutionSolving::Row* SubstitutionSolving::RowOf(char16_t cipherLetter) {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const Row& row) { return row.letter == cipherLetter; });
    return found == m_rows.end() ? nullptr : &*found;
}

void SubstitutionSolving::MarkClashes() {
    for (Row& row : m_rows) {
        row.clash = row.guess != 0 &&
                    std::count_if(m_rows.begin(), m_rows.end(),
                                  [&](const Row& other) { return other.guess == row.guess; }) > 1;
    }
}

void SubstitutionSolving::Guess(char16_t cipherLetter, std::u16string_view typed) {
    Row* row = RowOf(cipherLetter);
    if (row == nullptr) {
        return;
    }
    const std::u16string plain = m_alphabet->Reduce(typed);
    row->guess = plain.size() == 1 && typed.size() == 1 ? plain[0] : 0;
    MarkClashes();
    std::u16string note;
    if (row->clash) {
        std::u16string letters;
        for (const Row& other : m_rows) {
            if (other.guess == row->guess) {
                letters += other.letter;
            }
        }
        note = std::u16string(1, row->guess) + u" е предположена за повече от една буква: " +
               EnumeratedLetters(letters) + u".";
    }
    Redrawn(note);
}

void SubstitutionSolving::Break() {
    if (m_rows.empty()) {
        return;
    }
    const BrokenSubstitution broken = BreakSubstitution(*m_alphabet, m_text);
    m_climb = broken.climb;
    for (Row& row : m_rows) {
        row.guess = m_alphabet->letters[broken.key.find(row.letter)];
    }
    MarkClashes();
    Redrawn(u"");
}

std::u16string SubstitutionSolving::LetterHint() {
    if (m_key.empty()) {
        m_key = BreakSubstitution(*m_alphabet, m_text).key;
    }
    for (Row& row : m_rows) {
        const char16_t plain = m_alphabet->letters[m_key.find(row.letter)];
        if (row.guess != plain) {
            row.guess = plain;
            MarkClashes();
            const std::u16string said =
                std::u16string(1, row.letter) + u" е " + std::u16string(1, plain) + u".";
            // Without the key, the letter is the breaking's guess, and may be wrong.
            return m_keyKnown ? u"Буквата " + said : u"Според разбиването буквата " + said;
        }
    }
    return m_keyKnown ? u"Всички букви са познати." : u"Всички букви са като при разбиването.";
}

void SubstitutionSolving::Hint() {
    if (m_rows.empty()) {
        return;
    }
    const Language& language = LanguageOf(*m_alphabet);
    std::u16string hint;
    if (m_hints.empty()) {
        std::vector<std::u16string> letters;
        std::vector<std::u16string> common;
        for (std::size_t i = 0; i < m_rows.size() && i < kNamed; ++i) {
            letters.push_back(std::u16string(1, m_rows[i].letter) + u" (" +
                              cipher::DecimalText(m_rows[i].count) + u")");
            common.emplace_back(1, m_rows[i].common);
        }
        const bool one = letters.size() == 1;
        hint = (one ? u"Най-честата буква в шифъра е " : u"Най-честите букви в шифъра са ") +
               Enumerated(letters) + u". В " + std::u16string(language.adjective) +
               (one ? u" текст най-честата е " : u" текст най-чести са ") + Enumerated(common) +
               u".";
    } else if (m_hints.size() == 1) {
        std::u16string commonWords;
        for (const char16_t c : ShortWords(*m_alphabet)) {
            commonWords += c == u' ' ? u", " : c == u'|' ? u"; " : std::u16string(1, c);
        }
        hint = u"Най-честите думи от една, две и три букви в " +
               std::u16string(language.adjective) + u" текст: " + commonWords + u".";
        const auto cipherWords = ShortWordsOf(m_text, *m_alphabet);
        const std::u16string_view lengths[] = {u"една буква", u"две букви", u"три букви"};
        for (std::size_t n = 0; n < cipherWords.size(); ++n) {
            if (!cipherWords[n].empty()) {
                hint += u" Думи от " + std::u16string(lengths[n]) + u" в шифъра: " +
                        Enumerated(cipherWords[n]) + u".";
            }
        }
    } else {
        hint = LetterHint();
    }
    // Past the last letter, the same hint is not listed again.
    if (m_hints.empty() || m_hints.back() != hint) {
        m_hints.push_back(hint);
    }
    Redrawn(hint);
    // The letters and words named are the news; a letter given redraws the text.
    if (m_hints.size() <= 2 && hint == m_hints.back()) {
        m_announcement = hint;
    }
}

std::u16string SubstitutionSolving::ClimbNote() const {
    if (m_climb.empty()) {
        return {};
    }
    std::u16string note = u"Най-доброто от ";
    cipher::AppendDecimal(note, kBreakingStarts);
    note += u" начала: оценката расте от ";
    cipher::AppendDecimal(note, m_climb.front());
    note += u" до ";
    cipher::AppendDecimal(note, m_climb.back());
    note += u" за ";
    cipher::AppendDecimal(note, static_cast<std::int64_t>(m_climb.size() - 1));
    return note + (m_climb.size() == 2 ? u" размяна на две букви." : u" размени на две букви.");
}

std::u16string SubstitutionSolving::Solved() const {
    std::u16string solved = m_text;
    for (char16_t& c : solved) {
        if (m_alphabet->PlaceOf(c) != std::u16string_view::npos) {
            const auto row = std::find_if(m_rows.begin(), m_rows.end(),
                                          [&](const Row& r) { return r.letter == c; });
            c = row->guess != 0 ? row->guess : kUnknown;
        }
    }
    return solved;
}

std::u16string SubstitutionSolving::KeyGuessed() const {
    std::u16string key(m_alphabet == nullptr ? 0 : m_alphabet->letters.size(), kUnknown);
    for (const Row& row : m_rows) {
        if (row.guess != 0) {
            key[m_alphabet->PlaceOf(row.guess)] = row.letter;
        }
    }
    return key;
}

// The text as a screen reader says it: as many of its letters as are spelled, one by one, a
// dot as "точка".
void SubstitutionSolving::Redrawn(std::u16string_view note) {
    m_message = note;
    std::u16string letters;
    for (const char16_t c : Solved()) {
        if (c == kUnknown || m_alphabet->PlaceOf(c) != std::u16string_view::npos) {
            letters += c;
        }
    }
    std::u16string said = SpelledLetters(letters);
    std::u16string spoken;
    for (const char16_t c : said) {
        spoken += c == kUnknown ? std::u16string(u"точка") : std::u16string(1, c);
    }
    Announce(m_rows.empty() ? u"" : u"Разгаданият текст: " + spoken + u".");
}

}  // namespace lesson
