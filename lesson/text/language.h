// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"

namespace lesson {

// The sentences a language's exercises are drawn from, in one of two forms: English is plain
// ASCII, which takes half the room in the page.
struct Sentences {
    std::span<const std::string_view> ascii;
    std::span<const std::u16string_view> utf16;
    // Numbers draw over this many of the first sentences alone, a count frozen once released:
    // a sentence added after them changes no number's exercise, and is for numbers of a group
    // of their own.
    std::size_t drawn = 0;

    std::size_t Size() const { return ascii.size() + utf16.size(); }
    std::u16string At(std::size_t index) const;
};

// A language the lessons are given in: its alphabet, the name the page gives it, the words
// the lessons' texts use for it, and its exercises' sentences. A new language is one row of
// Languages().
struct Language {
    const cipher::Alphabet* alphabet;
    std::u16string_view name;         // "latin", as requests name it
    std::u16string_view choice;       // "латиница (A–Z)", in each choice of alphabet
    std::u16string_view lettersName;  // "латински букви (A–Z)", after "Няма"
    std::u16string_view adjective;  // "английски", as in "в английски текст"
    std::u16string_view source;     // of its letter frequencies, as the lessons cite it
    // After a sheet's "Вариант N", in brackets, where the same number would be another
    // exercise in the first language: "на кирилица"; empty for the first.
    std::u16string_view onSheet;
    Sentences sentences;
    std::uint64_t draws = 0;  // keeps its exercises' draws apart from the other languages'
    // The key words its exercises with one are drawn from, in capitals.
    Sentences keyWords;
};

// The languages in the order the page offers them, A to Z first; as many as kLanguageCount.
inline constexpr std::size_t kLanguageCount = 2;
std::span<const Language> Languages();
// The language written in the alphabet, each of which has one.
const Language& LanguageOf(const cipher::Alphabet& alphabet);
// The language of that name, or none.
const Language* LanguageNamed(std::u16string_view name);
// "Няма латински букви (A–Z) " and WHERE: the note on a text without the alphabet's letters.
std::u16string NoLettersNote(const cipher::Alphabet& alphabet, std::u16string_view where);
// "Ключовата дума е взета без знаците, които не са латински букви (A–Z): ZEBRA.", for a key
// word typed with other characters.
std::u16string KeyWordSignsNote(const cipher::Alphabet& alphabet, std::u16string_view letters);
// Whether a character is a letter the alphabet does not have: Latin with or without marks,
// Greek or Cyrillic, which a student could type by mistake for the alphabet's.
bool IsForeignLetter(char16_t c, const cipher::Alphabet& alphabet);
// The text with the alphabet's letters as capitals and letters of another alphabet dropped;
// all else stays, so that the words keep their lengths.
std::u16string InCapitals(std::u16string_view text, const cipher::Alphabet& alphabet);
// "Пропуснати букви, които не са в избраната азбука: 3.", for a typed text with such letters;
// empty for one without.
std::u16string ForeignLettersNote(std::u16string_view text, const cipher::Alphabet& alphabet);

}  // namespace lesson
