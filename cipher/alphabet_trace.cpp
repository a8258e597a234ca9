// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/alphabet_trace.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/trace_log.h"

namespace cipher {

namespace {

// A letter's line by a key, encrypting or, going back, decrypting.
std::u16string KeyLine(const Alphabet& alphabet, char16_t letter, std::int32_t key, bool back) {
    if (alphabet.PlaceOf(letter) == std::u16string_view::npos) {
        return {};
    }
    key = alphabet.KeyOf(key);
    if (alphabet.numbering == Numbering::kCharacterCode) {
        return back ? TraceLog::DecryptionLine(letter, key) : TraceLog::EncodeLine(letter, key);
    }
    // A step of 0 goes neither way: it is written as one on.
    return PlaceLine(alphabet.letters, letter, key, back && key != 0, DecimalText(key));
}

}  // namespace

std::u16string TraceHeading(std::u16string_view what, std::size_t count, std::u16string_view key) {
    return u"Дължина на " + std::u16string(what) + u": " +
           DecimalText(static_cast<std::int64_t>(count)) + u":" + std::u16string(key) + u"\r\n";
}

std::u16string PlaceLine(std::u16string_view letters, char16_t letter, std::int32_t amount,
                         bool back, std::u16string_view amountName) {
    std::u16string line;
    AppendPlaceLine(line, letters, letter, amount, back, amountName);
    return line;
}

void AppendPlaceLine(std::u16string& line, std::u16string_view letters, char16_t letter,
                     std::int32_t amount, bool back, std::u16string_view amountName) {
    const auto size = static_cast<std::int32_t>(letters.size());
    const auto place = static_cast<std::int32_t>(letters.find(letter));
    const std::u16string_view sign = back ? u" - " : u" + ";
    const std::int32_t sum = back ? place - amount : place + amount;
    line += letter;
    line += sign;
    line += amountName;
    line += u" = ";
    AppendDecimal(line, place);
    line += sign;
    AppendDecimal(line, amount);
    line += u" = ";
    AppendDecimal(line, sum);
    std::int32_t wrapped = sum;
    if (sum >= size) {
        wrapped -= size;
        line += u" - ";
    } else if (sum < 0) {
        wrapped += size;
        line += u" + ";
    }
    if (wrapped != sum) {
        AppendDecimal(line, size);
        line += u" = ";
        AppendDecimal(line, wrapped);
    }
    line += u" -> ";
    line += letters[static_cast<std::size_t>(wrapped)];
}

std::u16string EncodeLine(const Alphabet& alphabet, char16_t letter, std::int32_t key) {
    return KeyLine(alphabet, letter, key, false);
}

std::u16string DecryptionLine(const Alphabet& alphabet, char16_t letter, std::int32_t key) {
    return KeyLine(alphabet, letter, key, true);
}

std::u16string CipherTrace(const Alphabet& alphabet, std::u16string_view letters,
                           std::int32_t key) {
    std::u16string trace =
        TraceHeading(u"въведената фраза и ключ", letters.size(), DecimalText(key)) +
        u"Шифрирам, като събирам номерата на буквите в азбуката с ключа:\r\n";
    std::u16string encrypted;
    for (const char16_t letter : letters) {
        trace += EncodeLine(alphabet, letter, key) + u"\r\n";
        encrypted += alphabet.Shifted(letter, key);
    }
    trace += u"Дешифрирам обратно, като изваждам ключа:\r\n";
    for (const char16_t letter : encrypted) {
        trace += DecryptionLine(alphabet, letter, key) + u"\r\n";
    }
    return trace;
}

}  // namespace cipher
