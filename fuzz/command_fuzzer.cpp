// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the two commands over arbitrary field texts and sequences of clicks on one record and
// code buffer, and checks after every click what a student could rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "cipher/cipher.h"
#include "cipher/tests/log_lines.h"
#include "fuzz/expect.h"
#include "fuzz/fuzz_input.h"

namespace {

constexpr std::size_t kMaxFieldUnits = 4096;

bool OnlyCapitals(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'A' && c <= u'Z'; });
}

// The offset field after a run: "0", or a minus sign and digits without leading zeros, for a
// value from -25 to 25. Returns that value.
std::int32_t NormalisedOffset(const std::u16string& text) {
    Expect(!text.empty() && text.size() <= 3, "offset text length");
    const bool negative = text[0] == u'-';
    const std::u16string digits = negative ? text.substr(1) : text;
    Expect(!digits.empty() && (digits[0] != u'0' || digits.size() == 1), "offset digits");
    std::int32_t value = 0;
    for (const char16_t c : digits) {
        Expect(c >= u'0' && c <= u'9', "offset digit");
        value = value * 10 + (c - u'0');
    }
    Expect(value <= 25 && (!negative || value != 0), "offset range");
    return negative ? -value : value;
}

void CheckFullRun(const cipher::FormFields& fields, const cipher::CodeBuffer& codes,
                  std::int32_t offset) {
    const std::u16string& phrase = fields.phrase;
    Expect(fields.result.size() == phrase.size(), "result length");
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        const char16_t shifted = static_cast<char16_t>(u'A' + (phrase[i] - u'A' + offset) % 26);
        Expect(fields.result[i] == shifted, "result letter");
        Expect(codes[i + 1] == shifted, "code slot");
    }
    const std::vector<std::u16string> lines = LogLines(fields.log);
    Expect(lines.size() == 3 + 2 * phrase.size(), "log line count");
    Expect(!lines.back().starts_with(u"<unterminated>"), "log ends with CR LF");
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        const std::u16string& decode = lines[3 + phrase.size() + i];
        Expect(!decode.empty() && decode.back() == phrase[i], "decode gives back the phrase");
    }
}

void Click(std::int16_t index, cipher::FormFields& fields, cipher::CodeBuffer& codes) {
    const cipher::FormFields before = fields;
    const cipher::CodeBuffer codesBefore = codes;
    enum class Outcome : std::uint8_t { kDone, kOverflow, kTooLong } outcome = Outcome::kDone;
    try {
        cipher::Command1_Click(index, fields, codes);
    } catch (const std::overflow_error&) {
        outcome = Outcome::kOverflow;
    } catch (const std::length_error&) {
        outcome = Outcome::kTooLong;
    }
    Expect(codes[0] == 0, "slot 0 is never written");
    Expect(outcome == Outcome::kDone || index == 0, "only Calculate fails");

    if (index == 1) {
        Expect(fields.phrase.empty() && fields.offset.empty() && fields.result.empty(), "clear");
        Expect(fields.log == before.log && codes == codesBefore, "clear keeps log and codes");
        return;
    }
    if (index != 0) {
        Expect(fields.phrase == before.phrase && fields.offset == before.offset &&
                   fields.result == before.result && fields.log == before.log &&
                   codes == codesBefore,
               "other indexes change nothing");
        return;
    }

    Expect(OnlyCapitals(fields.phrase), "phrase holds only A-Z");
    Expect(fields.result.empty() || outcome == Outcome::kDone, "result emptied on failure");
    if (outcome == Outcome::kOverflow) {
        Expect(fields.offset == before.offset, "overflow keeps the offset as typed");
    } else {
        const std::int32_t offset = NormalisedOffset(fields.offset);
        if (outcome == Outcome::kDone && !fields.phrase.empty() && offset >= 1) {
            CheckFullRun(fields, codes, offset);
            return;
        }
    }
    Expect(fields.result.empty(), "no result without a run");
    Expect(fields.log == before.log && codes == codesBefore, "no run keeps log and codes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    cipher::FormFields fields;
    cipher::CodeBuffer codes{};
    while (!input.AtEnd()) {
        switch (input.Byte() % 8) {
            case 0:
                fields.phrase = input.Text(kMaxFieldUnits);
                break;
            case 1:
                fields.offset = input.Text(kMaxFieldUnits);
                break;
            case 2:
                fields.result = input.Text(kMaxFieldUnits);
                break;
            case 3:
                fields.log = input.Text(kMaxFieldUnits);
                break;
            case 4:
            case 5:
                Click(0, fields, codes);
                break;
            case 6:
                Click(1, fields, codes);
                break;
            default:
                Click(static_cast<std::int16_t>(input.Unit()), fields, codes);
                break;
        }
    }
    return 0;
}
