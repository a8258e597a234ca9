// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/text/language.h"

namespace lesson {

// What the student is asked to do.
enum class ExerciseKind : std::uint8_t {
    kEncrypt,    // a plain sentence and its key: type the encrypted letters
    kDecrypt,    // encrypted letters and their key: type the plain letters
    kFindKey,    // encrypted letters alone, 60 to 150 of them: find the key and the plain letters
    kCalculate,  // a word of 3 to 6 letters and its key: fill in the numbers and letters of its
                 // trace
    kEncryptKeyWord,       // a plain sentence and a key word: type the encrypted letters
    kDecryptKeyWord,       // encrypted letters and their key word: type the plain letters
    kEncryptSubstitution,  // a plain sentence and the key word of a mixed alphabet: type the
                           // encrypted letters
    kSolveSubstitution,    // 120 letters or more encrypted with a mixed alphabet, words kept:
                           // type the plain letters
};

// The kinds in the order the page offers them, with the names requests give them, the words
// that label them, and whether a new teacher's sheet has them.
struct KindName {
    ExerciseKind kind;
    std::u16string_view name;
    std::u16string_view label;
    bool onNewSheet;
};
inline constexpr KindName kExerciseKinds[] = {
    {ExerciseKind::kEncrypt, u"encrypt", u"Шифрирай", true},
    {ExerciseKind::kDecrypt, u"decrypt", u"Дешифрирай", true},
    {ExerciseKind::kFindKey, u"findKey", u"Намери ключа", false},
    {ExerciseKind::kCalculate, u"calculate", u"Сметни като прозореца", false},
    {ExerciseKind::kEncryptKeyWord, u"encryptKeyWord", u"Шифрирай с ключова дума", false},
    {ExerciseKind::kDecryptKeyWord, u"decryptKeyWord", u"Дешифрирай с ключова дума", false},
    {ExerciseKind::kEncryptSubstitution, u"encryptSubstitution", u"Шифрирай със заместване", false},
    {ExerciseKind::kSolveSubstitution, u"solveSubstitution", u"Разгадай заместване", false},
};

// The row of a kind, and the row of a name, or none.
const KindName& NameOf(ExerciseKind kind);
const KindName* KindNamed(std::u16string_view name);

inline constexpr std::int32_t kFirstExercise = 1;
inline constexpr std::int32_t kLastExercise = 9999;

// One exercise, the same for its kind, number and alphabet on every machine.
struct Exercise {
    ExerciseKind kind = ExerciseKind::kEncrypt;
    std::int32_t number = 0;
    const cipher::Alphabet* alphabet = &cipher::LatinAlphabet();
    std::int32_t key = 0;          // from 1 to one less than the alphabet's size; 0 with a key word
    std::u16string keyWord;        // 3 to 8 capitals, for the kinds with a key word; else empty
    std::u16string mixed;          // the key of the substitution kinds, from the key word
    std::u16string plain;          // the sentence, or sentences, as written
    std::u16string plainLetters;   // reduced to the alphabet's capitals
    std::u16string cipherLetters;  // the plain letters encrypted with the key
};

// Whether the kind shifts by a key word rather than by one key, whether it substitutes a mixed
// alphabet made from a key word instead, and whether the student encrypts the plain sentence
// rather than decrypting letters.
bool HasKeyWord(ExerciseKind kind);
bool Substitutes(ExerciseKind kind);
bool Encrypts(ExerciseKind kind);

// The exercise of this kind and number, from 1 to 9999, in the alphabet: an English sentence
// for A to Z, a Bulgarian one for Cyrillic. Nothing for any other number.
std::optional<Exercise> MakeExercise(ExerciseKind kind, std::int32_t number,
                                     const cipher::Alphabet& alphabet = cipher::LatinAlphabet());
// The same from the language's sentences, the first sentences.drawn of them.
std::optional<Exercise> MakeExercise(ExerciseKind kind, std::int32_t number,
                                     const Language& language);

// A whole number typed into a box, blanks around it allowed, if it is from lowest to highest.
std::optional<std::int32_t> NumberFrom(std::u16string_view typed, std::int32_t lowest,
                                       std::int32_t highest);
// What to say of a number NumberFrom refused: "<what> е цяло число от 1 до <highest>."
std::u16string WholeNumberNote(std::u16string_view what, std::int32_t highest);

// What the student is asked, "Шифрирайте с ключ 3:", and what they work from: the sentence to
// encrypt as written, or the letters.
struct Task {
    std::u16string asked;
    std::u16string given;
};
Task TaskOf(const Exercise& exercise);
// What encrypting with a substitution asks, the key written as given: "Шифрирайте със
// заместване с ключова дума ZEBRA (ключ ZEBRACDF…):".
std::u16string SubstitutionAsked(const Exercise& exercise, std::u16string_view key);
// The text to solve of a substitution: the sentences in capitals, encrypted, with their words
// and signs kept.
std::u16string SubstitutedText(const Exercise& exercise);
// Both, a blank between: "Шифрирайте с ключ 3: …".
std::u16string TaskText(const Exercise& exercise);
// The whole answer: the letters, and the key where it is to be found, with the sentence.
std::u16string AnswerText(const Exercise& exercise);

}  // namespace lesson
