// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/substitution.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cipher/decimal_text.h"

namespace cipher {
namespace {

// Which of the two rows a letter is looked up in, and which it is replaced from.
struct Rows {
    std::u16string_view from;
    std::u16string_view to;
};

Rows RowsOf(const Alphabet& alphabet, std::u16string_view key, Direction direction) {
    return direction == Direction::kEncrypt ? Rows{alphabet.letters, key}
                                            : Rows{key, alphabet.letters};
}

}  // namespace

std::u16string MixedAlphabet(const Alphabet& alphabet, std::u16string_view keyWord) {
    std::u16string mixed;
    for (const char16_t letter : alphabet.Reduce(keyWord) + std::u16string(alphabet.letters)) {
        if (mixed.find(letter) == std::u16string::npos) {
            mixed.push_back(letter);
        }
    }
    return mixed;
}

KeyFaults FaultsOfKey(const Alphabet& alphabet, std::u16string_view key) {
    std::vector<int> counts(alphabet.letters.size(), 0);
    for (const char16_t letter : alphabet.Reduce(key)) {
        ++counts[alphabet.PlaceOf(letter)];
    }
    KeyFaults faults;
    for (std::size_t place = 0; place < counts.size(); ++place) {
        if (counts[place] > 1) {
            faults.repeated.push_back(alphabet.letters[place]);
        } else if (counts[place] == 0) {
            faults.missing.push_back(alphabet.letters[place]);
        }
    }
    return faults;
}

std::u16string Substituted(const Alphabet& alphabet, std::u16string_view key,
                           std::u16string_view letters, Direction direction) {
    const Rows rows = RowsOf(alphabet, key, direction);
    std::u16string substituted(letters);
    for (char16_t& letter : substituted) {
        const std::size_t place = rows.from.find(letter);
        if (place != std::u16string_view::npos && place < rows.to.size()) {
            letter = rows.to[place];
        }
    }
    return substituted;
}

std::u16string SubstitutionLine(const Alphabet& alphabet, std::u16string_view key, char16_t letter,
                                Direction direction) {
    const Rows rows = RowsOf(alphabet, key, direction);
    const std::size_t place = rows.from.find(letter);
    if (place == std::u16string_view::npos || place >= rows.to.size()) {
        return {};
    }
    std::u16string line(1, letter);
    line += u" (";
    AppendDecimal(line, static_cast<std::int64_t>(place));
    line += u") -> ";
    line.push_back(rows.to[place]);
    return line;
}

}  // namespace cipher
