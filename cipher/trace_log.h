// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cipher {

// The code of letter A-Z shifted forward by an offset from 1 to 25, wrapping from Z to A.
std::int32_t ShiftedCode(char16_t letter, std::int32_t offset);

// Builds the trace of one cipher run in memory, line by line, each line ended by CR LF.
class TraceLog {
public:
    // "Дължина на въведената фраза и отместване: L:m", then the encode heading.
    TraceLog(std::size_t length, std::int32_t offset);

    // "c + m = a + m = k -> K", where K is the character with code k.
    void AddEncodeLine(char16_t letter, std::int32_t offset, std::int32_t shifted);

    // The heading between the encode and the decode lines.
    void AddDecodeHeading();

    // The way back from code k by offset m: "k - m = r -> R", or, where k - m falls below A,
    // "k + (26 - m) = r -> R", R being the character with code r.
    void AddDecodeLine(std::int32_t shifted, std::int32_t offset);

    // "K - m = " before the decode line of the encrypted letter K.
    void AddDecryptionLine(char16_t letter, std::int32_t offset);

    // The finished text; the log is left empty.
    std::u16string Take();

    // One line alone, as a trace writes it but without its line end: the encode line of a
    // letter, and the decryption line of an encrypted letter.
    static std::u16string EncodeLine(char16_t letter, std::int32_t offset);
    static std::u16string DecryptionLine(char16_t letter, std::int32_t offset);

private:
    TraceLog() = default;
    std::u16string TakeLine();
    void AppendNumber(std::int64_t n);
    void EndLine();

    std::u16string text_;
};

}  // namespace cipher
