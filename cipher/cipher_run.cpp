// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "cipher/cipher.h"
#include "cipher/decimal_text.h"
#include "cipher/trace_log.h"

namespace cipher {

namespace {

bool IsCapitalLatin(char16_t c) { return c >= u'A' && c <= u'Z'; }

void CheckPhraseFitsRun(const std::u16string& phrase, const CodeBuffer& codes) {
    if (phrase.size() > codes.size() - 1) {
        throw std::length_error("phrase longer than the code buffer");
    }
    if (!std::all_of(phrase.begin(), phrase.end(), IsCapitalLatin)) {
        throw std::invalid_argument("phrase holds a character outside A-Z");
    }
}

}  // namespace

void RunCipher(FormFields& fields, CodeBuffer& codes) {
    fields.result.clear();
    const std::u16string& phrase = fields.phrase;
    const std::int32_t offset = ReadOffset(fields.offset);
    fields.offset = DecimalText(offset);
    if (phrase.empty() || offset < 1) {
        return;
    }
    CheckPhraseFitsRun(phrase, codes);

    const std::size_t length = phrase.size();
    TraceLog log(length, offset);
    std::u16string result;
    result.reserve(length);
    for (std::size_t i = 1; i <= length; ++i) {
        const char16_t letter = phrase[i - 1];
        const std::int32_t shifted = ShiftedCode(letter, offset);
        codes[i] = static_cast<std::uint8_t>(shifted);
        log.AddEncodeLine(letter, offset, shifted);
        result += static_cast<char16_t>(shifted);
    }

    log.AddDecodeHeading();
    for (std::size_t i = 1; i <= length; ++i) {
        log.AddDecodeLine(codes[i], offset);
    }

    fields.result = std::move(result);
    fields.log = log.Take();
}

}  // namespace cipher
