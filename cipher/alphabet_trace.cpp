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

// "L + k = p + k = s - n = r -> R" by places: the sign's step, then the wrap back into the
// alphabet where the sum leaves it. The letter is one of the alphabet's, and the step lies
// within the alphabet's size either way, so one wrap brings every sum back into it.
std::u16string PlaceLine(const Alphabet& alphabet, char16_t letter, std::int32_t step) {
    const std::int32_t size = alphabet.Size();
    const auto place = static_cast<std::int32_t>(alphabet.PlaceOf(letter));
    const std::u16string key = DecimalText(step < 0 ? -step : step);
    const std::u16string sign = step < 0 ? u" - " : u" + ";
    const std::int32_t sum = place + step;
    std::u16string line = std::u16string(1, letter) + sign + key + u" = " + DecimalText(place) +
                          sign + key + u" = " + DecimalText(sum);
    std::int32_t wrapped = sum;
    if (sum >= size) {
        wrapped -= size;
        line += u" - " + DecimalText(size) + u" = " + DecimalText(wrapped);
    } else if (sum < 0) {
        wrapped += size;
        line += u" + " + DecimalText(size) + u" = " + DecimalText(wrapped);
    }
    return line + u" -> " + alphabet.letters[static_cast<std::size_t>(wrapped)];
}

}  // namespace

std::u16string EncodeLine(const Alphabet& alphabet, char16_t letter, std::int32_t key) {
    if (alphabet.PlaceOf(letter) == std::u16string_view::npos) {
        return {};
    }
    key = alphabet.KeyOf(key);
    return alphabet.numbering == Numbering::kCharacterCode ? TraceLog::EncodeLine(letter, key)
                                                           : PlaceLine(alphabet, letter, key);
}

std::u16string DecryptionLine(const Alphabet& alphabet, char16_t letter, std::int32_t key) {
    if (alphabet.PlaceOf(letter) == std::u16string_view::npos) {
        return {};
    }
    key = alphabet.KeyOf(key);
    return alphabet.numbering == Numbering::kCharacterCode ? TraceLog::DecryptionLine(letter, key)
                                                           : PlaceLine(alphabet, letter, -key);
}

std::u16string CipherTrace(const Alphabet& alphabet, std::u16string_view letters,
                           std::int32_t key) {
    std::u16string trace = u"Дължина на въведената фраза и ключ: " +
                           DecimalText(static_cast<std::int64_t>(letters.size())) + u":" +
                           DecimalText(key) +
                           u"\r\nШифрирам, като събирам номерата на буквите "
                           u"в азбуката с ключа:\r\n";
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
