// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cipher {

// Builds the trace of one cipher run in memory, line by line, each line ended by CR LF.
class TraceLog {
public:
    // "Дължина на въведената фраза и отместване: L:m", then the encode heading.
    TraceLog(std::size_t length, std::int32_t offset);

    // "c + m = a + m = k -> K", where K is the character with code k.
    void AddEncodeLine(char16_t letter, std::int32_t offset, std::int32_t shifted);

    // The heading between the encode and the decode lines.
    void AddDecodeHeading();

    // "k - w = r -> R" for a positive w, otherwise "k + |w| = r -> R".
    void AddDecodeLine(std::int32_t shifted, std::int32_t back, std::int32_t plain);

    // The finished text; the log is left empty.
    std::u16string Take();

private:
    void AppendNumber(std::int64_t n);
    void EndLine();

    std::u16string text_;
};

}  // namespace cipher
