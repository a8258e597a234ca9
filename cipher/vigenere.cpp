// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/vigenere.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/decimal_text.h"

namespace cipher {

namespace {

std::int32_t ShiftOf(const Alphabet& alphabet, char16_t keyLetter) {
    return static_cast<std::int32_t>(alphabet.PlaceOf(keyLetter));
}

// A letter's line, with the key letter named by its shift, at the end of LINE; nothing for a
// character not in the alphabet.
void AppendKeyWordLine(std::u16string& line, const Alphabet& alphabet, char16_t letter,
                       char16_t keyLetter, Direction direction) {
    if (alphabet.PlaceOf(letter) == std::u16string_view::npos ||
        alphabet.PlaceOf(keyLetter) == std::u16string_view::npos) {
        return;
    }
    const std::int32_t shift = ShiftOf(alphabet, keyLetter);
    std::u16string name(1, keyLetter);
    name += u"(";
    AppendDecimal(name, shift);
    name += u")";
    AppendPlaceLine(line, alphabet.letters, letter, shift, direction == Direction::kDecrypt, name);
}

void AppendLines(std::u16string& trace, const Alphabet& alphabet, std::u16string_view letters,
                 std::u16string_view keyWord, Direction direction) {
    // Each line is about 30 characters.
    trace.reserve(trace.size() + letters.size() * 40);
    for (std::size_t i = 0; i < letters.size() && !keyWord.empty(); ++i) {
        AppendKeyWordLine(trace, alphabet, letters[i], keyWord[i % keyWord.size()], direction);
        trace += u"\r\n";
    }
}

constexpr std::u16string_view kEncryptHeading =
    u"Шифрирам, като към номера на всяка буква прибавям номера на буквата от ключовата дума "
    u"под нея:\r\n";
constexpr std::u16string_view kDecryptHeading =
    u"Дешифрирам, като от номера на всяка буква изваждам номера на буквата от ключовата дума "
    u"под нея:\r\n";

}  // namespace

std::u16string KeyWordRow(std::u16string_view keyWord, std::size_t count) {
    std::u16string row;
    if (keyWord.empty()) {
        return row;
    }
    row.reserve(count);
    while (row.size() < count) {
        row += keyWord.substr(0, count - row.size());
    }
    return row;
}

std::u16string KeyWordShifted(const Alphabet& alphabet, std::u16string_view letters,
                              std::u16string_view keyWord, Direction direction) {
    std::u16string shifted(letters);
    if (keyWord.empty()) {
        return shifted;
    }
    const std::int32_t sign = direction == Direction::kEncrypt ? 1 : -1;
    for (std::size_t i = 0; i < shifted.size(); ++i) {
        shifted[i] =
            alphabet.Shifted(shifted[i], sign * ShiftOf(alphabet, keyWord[i % keyWord.size()]));
    }
    return shifted;
}

std::u16string KeyWordLine(const Alphabet& alphabet, char16_t letter, char16_t keyLetter,
                           Direction direction) {
    std::u16string line;
    AppendKeyWordLine(line, alphabet, letter, keyLetter, direction);
    return line;
}

std::u16string KeyWordTrace(const Alphabet& alphabet, std::u16string_view letters,
                            std::u16string_view keyWord, Direction direction) {
    const bool encrypts = direction == Direction::kEncrypt;
    std::u16string trace = TraceHeading(u"текста и ключова дума", letters.size(), keyWord);
    trace += encrypts ? kEncryptHeading : kDecryptHeading;
    AppendLines(trace, alphabet, letters, keyWord, direction);
    trace += encrypts ? u"Дешифрирам обратно, като изваждам:\r\n"
                      : u"Шифрирам обратно, като прибавям:\r\n";
    AppendLines(trace, alphabet, KeyWordShifted(alphabet, letters, keyWord, direction), keyWord,
                encrypts ? Direction::kDecrypt : Direction::kEncrypt);
    return trace;
}

std::u16string KeyWordDecryptionTrace(const Alphabet& alphabet, std::u16string_view letters,
                                      std::u16string_view keyWord) {
    std::u16string trace = TraceHeading(u"текста и ключова дума", letters.size(), keyWord);
    trace += kDecryptHeading;
    AppendLines(trace, alphabet, letters, keyWord, Direction::kDecrypt);
    return trace;
}

}  // namespace cipher
