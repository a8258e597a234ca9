// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/language.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "lesson/text/bulgarian_phrases.h"
#include "lesson/text/english_phrases.h"
#include "lesson/text/key_words.h"

namespace lesson {

std::u16string Sentences::At(std::size_t index) const {
    if (index < utf16.size()) {
        return std::u16string(utf16[index]);
    }
    const std::string_view sentence = ascii[index - utf16.size()];
    return {sentence.begin(), sentence.end()};
}

namespace {

const Language kLanguages[] = {
    {&cipher::LatinAlphabet(),
     u"latin",
     u"латиница (A–Z)",
     u"латински букви (A–Z)",
     u"английски",
     u"Lewand, 2000",
     u"",
     {EnglishPhrases(), {}, kEnglishPhrasesDrawn},
     0,
     {EnglishKeyWords(), {}, kEnglishKeyWordsDrawn}},
    {&cipher::CyrillicAlphabet(),
     u"cyrillic",
     u"кирилица (А–Я)",
     u"букви на кирилица (А–Я)",
     u"български",
     u"Стефанов и Бирданова, 1997",
     u"на кирилица",
     {{}, BulgarianPhrases(), kBulgarianPhrasesDrawn},
     std::uint64_t{1} << 40U,
     {{}, BulgarianKeyWords(), kBulgarianKeyWordsDrawn}},
};

}  // namespace

static_assert(std::size(kLanguages) == kLanguageCount);

std::span<const Language> Languages() { return kLanguages; }

const Language& LanguageOf(const cipher::Alphabet& alphabet) {
    // Every alphabet has its row: one not among the others is the last one's.
    return *std::find_if(std::begin(kLanguages), std::end(kLanguages) - 1,
                         [&](const Language& l) { return l.alphabet == &alphabet; });
}

const Language* LanguageNamed(std::u16string_view name) {
    const auto* found = std::find_if(std::begin(kLanguages), std::end(kLanguages),
                                     [&](const Language& l) { return l.name == name; });
    return found != std::end(kLanguages) ? found : nullptr;
}

std::u16string NoLettersNote(const cipher::Alphabet& alphabet, std::u16string_view where) {
    return u"Няма " + std::u16string(LanguageOf(alphabet).lettersName) + u" " +
           std::u16string(where);
}

std::u16string KeyWordSignsNote(const cipher::Alphabet& alphabet, std::u16string_view letters) {
    return u"Ключовата дума е взета без знаците, които не са " +
           std::u16string(LanguageOf(alphabet).lettersName) + u": " + std::u16string(letters) +
           u".";
}

bool IsForeignLetter(char16_t c, const cipher::Alphabet& alphabet) {
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                        (c >= u'\u00C0' && c <= u'\u024F' && c != u'\u00D7' && c != u'\u00F7') ||
                        (c >= u'\u0370' && c <= u'\u04FF');
    return letter && alphabet.Reduce(std::u16string_view(&c, 1)).empty();
}

std::u16string InCapitals(std::u16string_view text, const cipher::Alphabet& alphabet) {
    std::u16string capitals;
    for (const char16_t c : text) {
        const std::u16string capital = alphabet.Reduce(std::u16string_view(&c, 1));
        if (!capital.empty()) {
            capitals += capital;
        } else if (!IsForeignLetter(c, alphabet)) {
            capitals += c;
        }
    }
    return capitals;
}

std::u16string ForeignLettersNote(std::u16string_view text, const cipher::Alphabet& alphabet) {
    const auto foreign = std::count_if(text.begin(), text.end(),
                                       [&](char16_t c) { return IsForeignLetter(c, alphabet); });
    if (foreign == 0) {
        return {};
    }
    std::u16string note = u"Пропуснати букви, които не са в избраната азбука: ";
    cipher::AppendDecimal(note, static_cast<std::int64_t>(foreign));
    return note + u".";
}

}  // namespace lesson
