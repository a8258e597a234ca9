// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>

#include "cipher/cipher.h"
#include "cipher/latin_capitals.h"

namespace cipher {

void Command1_Click(std::int16_t index, FormFields& fields, CodeBuffer& codes) {
    switch (index) {
        case 0:
            Calculate(fields, codes);
            break;
        case 1:
            ClearFields(fields);
            break;
        default:
            break;
    }
}

void Calculate(FormFields& fields, CodeBuffer& codes) {
    fields.phrase = LatinCapitals(fields.phrase);
    RunCipher(fields, codes);
}

void ClearFields(FormFields& fields) {
    fields.phrase.clear();
    fields.offset.clear();
    fields.result.clear();
}

}  // namespace cipher
