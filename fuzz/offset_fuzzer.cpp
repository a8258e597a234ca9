// SPDX-License-Identifier: GPL-3.0-or-later
// Compares the offset reading with an oracle written the plain way: pick out the number's
// characters with a simple scan and hand them to strtod.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "cipher/cipher.h"
#include "fuzz/expect.h"
#include "fuzz/fuzz_input.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double OracleNumber(const std::u16string& text) {
    std::string packed;
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n') {
            continue;
        }
        // Nothing beyond ASCII can be part of a number; '~' stands in for all of it.
        packed.push_back(c < 0x7F ? static_cast<char>(c) : '~');
    }
    std::size_t end = 0;
    if (end < packed.size() && (packed[end] == '+' || packed[end] == '-')) {
        ++end;
    }
    std::size_t digits = 0;
    while (end < packed.size() && IsDigit(packed[end])) {
        ++end;
        ++digits;
    }
    if (end < packed.size() && packed[end] == '.') {
        ++end;
        while (end < packed.size() && IsDigit(packed[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (end < packed.size() && (packed[end] == 'e' || packed[end] == 'E')) {
        std::size_t exponentEnd = end + 1;
        if (exponentEnd < packed.size() &&
            (packed[exponentEnd] == '+' || packed[exponentEnd] == '-')) {
            ++exponentEnd;
        }
        if (exponentEnd < packed.size() && IsDigit(packed[exponentEnd])) {
            while (exponentEnd < packed.size() && IsDigit(packed[exponentEnd])) {
                ++exponentEnd;
            }
            end = exponentEnd;
        }
    }
    const std::string number = packed.substr(0, end);
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::u16string text = input.Rest();

    const double expected = OracleNumber(text);
    const double value = cipher::LeadingNumber(text);
    Expect(value == expected, "LeadingNumber agrees with strtod");

    const double rounded = std::nearbyint(expected);
    const bool fits = rounded >= -2147483648.0 && rounded <= 2147483647.0;
    try {
        const std::int32_t offset = cipher::ReadOffset(text);
        Expect(fits, "ReadOffset fails outside 32 bits");
        Expect(offset == static_cast<std::int32_t>(rounded) % 26, "ReadOffset agrees");
    } catch (const std::overflow_error&) {
        Expect(!fits, "ReadOffset fails only outside 32 bits");
    }
    return 0;
}
