// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/trace_log.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "cipher/decimal_text.h"

namespace cipher {

namespace {

constexpr std::int32_t kCodeA = u'A';
constexpr std::int32_t kCodeZ = u'Z';
constexpr std::int32_t kAlphabetSize = 26;

}  // namespace

std::int32_t ShiftedCode(char16_t letter, std::int32_t offset) {
    const std::int32_t shifted = letter + offset;
    return shifted > kCodeZ ? shifted - kAlphabetSize : shifted;
}

TraceLog::TraceLog(std::size_t length, std::int32_t offset) {
    // A 50-letter phrase writes about 2,600 characters; one reservation covers it.
    text_.reserve(128 + length * 48);
    text_ += u"Дължина на въведената фраза и отместване: ";
    AppendNumber(static_cast<std::int64_t>(length));
    text_ += u':';
    AppendNumber(offset);
    EndLine();
    text_ += u"Последователно извеждам изчислените ASCII кодове:";
    EndLine();
}

void TraceLog::AddEncodeLine(char16_t letter, std::int32_t offset, std::int32_t shifted) {
    text_ += letter;
    text_ += u" + ";
    AppendNumber(offset);
    text_ += u" = ";
    AppendNumber(letter);
    text_ += u" + ";
    AppendNumber(offset);
    text_ += u" = ";
    AppendNumber(shifted);
    text_ += u" -> ";
    text_ += static_cast<char16_t>(shifted);
    EndLine();
}

void TraceLog::AddDecodeHeading() {
    text_ += u"Извеждам обратно кодираната фраза:";
    EndLine();
}

void TraceLog::AddDecodeLine(std::int32_t shifted, std::int32_t offset) {
    // Every step starts again from the offset; a wrap in one step does not carry on.
    std::int32_t back = offset;
    std::int32_t plain = shifted - back;
    if (plain < kCodeA) {
        plain += kAlphabetSize;
        back -= kAlphabetSize;
    }
    AppendNumber(shifted);
    if (back > 0) {
        text_ += u" - ";
        AppendNumber(back);
    } else {
        text_ += u" + ";
        AppendNumber(-static_cast<std::int64_t>(back));
    }
    text_ += u" = ";
    AppendNumber(plain);
    text_ += u" -> ";
    text_ += static_cast<char16_t>(plain);
    EndLine();
}

void TraceLog::AddDecryptionLine(char16_t letter, std::int32_t offset) {
    text_ += letter;
    text_ += u" - ";
    AppendNumber(offset);
    text_ += u" = ";
    AddDecodeLine(letter, offset);
}

std::u16string TraceLog::Take() { return std::exchange(text_, std::u16string()); }

std::u16string TraceLog::EncodeLine(char16_t letter, std::int32_t offset) {
    TraceLog log;
    log.AddEncodeLine(letter, offset, ShiftedCode(letter, offset));
    return log.TakeLine();
}

std::u16string TraceLog::DecryptionLine(char16_t letter, std::int32_t offset) {
    TraceLog log;
    log.AddDecryptionLine(letter, offset);
    return log.TakeLine();
}

std::u16string TraceLog::TakeLine() {
    text_.resize(text_.size() - 2);  // the CR LF
    return Take();
}

void TraceLog::AppendNumber(std::int64_t n) { AppendDecimal(text_, n); }

void TraceLog::EndLine() { text_ += u"\r\n"; }

}  // namespace cipher
