// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/language.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/bulgarian_phrases.h"
#include "lesson/english_phrases.h"

namespace lesson {

std::u16string Sentences::At(std::size_t index) const {
    if (index < utf16.size()) {
        return std::u16string(utf16[index]);
    }
    const std::string_view sentence = ascii[index - utf16.size()];
    return {sentence.begin(), sentence.end()};
}

std::span<const Language> Languages() {
    static const Language kLanguages[] = {
        {&cipher::LatinAlphabet(),
         u"latin",
         u"латиница (A–Z)",
         u"латински букви (A–Z)",
         u"английски",
         u"Lewand, 2000",
         u"",
         {EnglishPhrases(), {}, kEnglishPhrasesDrawn},
         0},
        {&cipher::CyrillicAlphabet(),
         u"cyrillic",
         u"кирилица (А–Я)",
         u"букви на кирилица (А–Я)",
         u"български",
         u"Стефанов и Бирданова, 1997",
         u"на кирилица",
         {{}, BulgarianPhrases(), kBulgarianPhrasesDrawn},
         std::uint64_t{1} << 40U},
    };
    return kLanguages;
}

const Language& LanguageOf(const cipher::Alphabet& alphabet) {
    const std::span<const Language> languages = Languages();
    const auto found = std::find_if(languages.begin(), languages.end(),
                                    [&](const Language& l) { return l.alphabet == &alphabet; });
    return found != languages.end() ? *found : languages.front();
}

const Language* LanguageNamed(std::u16string_view name) {
    const std::span<const Language> languages = Languages();
    const auto found = std::find_if(languages.begin(), languages.end(),
                                    [&](const Language& l) { return l.name == name; });
    return found != languages.end() ? &*found : nullptr;
}

}  // namespace lesson
