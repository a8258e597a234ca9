// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/answer_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/cipher.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/exercises/look_alikes.h"
#include "lesson/exercises/text_parts.h"

namespace lesson {

namespace {

using Kind = LetterMark::Kind;

std::u16string Summary(std::size_t right, std::size_t expected, std::size_t extra) {
    std::u16string summary = Decimal(right) + u" от " + Decimal(expected) +
                             (expected == 1 ? u" буква " : u" букви ") +
                             (right == 1 ? u"е вярна" : u"са верни");
    if (extra > 0) {
        summary +=
            u", " + Decimal(extra) + (extra == 1 ? u" буква е излишна" : u" букви са излишни");
    }
    return summary;
}

// The fewest letters changed, left out or put in that turn the given letters into the
// expected ones, as a table: at(i, j) for the given letters from i on and the expected ones
// from j on. One block of memory: a class's files check thousands of answers at once.
class EditCosts {
public:
    EditCosts(std::u16string_view given, std::u16string_view expected)
        : m_width(expected.size() + 1), m_cost((given.size() + 1) * m_width) {
        for (std::size_t i = given.size() + 1; i-- > 0;) {
            for (std::size_t j = expected.size() + 1; j-- > 0;) {
                if (i == given.size() || j == expected.size()) {
                    Set(i, j, given.size() - i + expected.size() - j);
                    continue;
                }
                const std::size_t changed = given[i] == expected[j] ? 0 : 1;
                Set(i, j,
                    std::min({at(i + 1, j + 1) + changed, at(i + 1, j) + 1, at(i, j + 1) + 1}));
            }
        }
    }

    std::size_t at(std::size_t i, std::size_t j) const { return m_cost[i * m_width + j]; }

private:
    void Set(std::size_t i, std::size_t j, std::size_t cost) { m_cost[i * m_width + j] = cost; }

    std::size_t m_width;
    std::vector<std::size_t> m_cost;
};

}  // namespace

std::int32_t ExerciseKey::ShiftAt(const cipher::Alphabet& alphabet, std::size_t place) const {
    return word.empty() ? number
                        : static_cast<std::int32_t>(alphabet.PlaceOf(word[place % word.size()]));
}

char16_t ExerciseKey::Becomes(const cipher::Alphabet& alphabet, char16_t letter, std::size_t place,
                              Direction direction) const {
    if (!mixed.empty()) {
        return cipher::Substituted(alphabet, mixed, std::u16string_view(&letter, 1), direction)[0];
    }
    const std::int32_t shift = ShiftAt(alphabet, place);
    return alphabet.Shifted(letter, direction == Direction::kEncrypt ? shift : -shift);
}

std::u16string ExerciseKey::Line(const cipher::Alphabet& alphabet, char16_t letter,
                                 std::size_t place, Direction direction, std::int32_t extra) const {
    if (!mixed.empty()) {
        return cipher::SubstitutionLine(alphabet, mixed, letter, direction);
    }
    if (!word.empty()) {
        return cipher::KeyWordLine(alphabet, letter,
                                   alphabet.Shifted(word[place % word.size()], extra), direction);
    }
    return direction == Direction::kEncrypt
               ? cipher::EncodeLine(alphabet, letter, number + extra)
               : cipher::DecryptionLine(alphabet, letter, number + extra);
}

AnswerCheck CheckAnswer(std::u16string_view answer, std::u16string_view from,
                        const ExerciseKey& key, Direction direction,
                        const cipher::Alphabet& alphabet, bool marked) {
    const LookAlikeReading read = ReadLookAlikes(answer.substr(0, kAnswerCap), alphabet);
    const std::u16string given = alphabet.Reduce(read.text);
    std::u16string expected;
    for (std::size_t place = 0; place < from.size(); ++place) {
        expected += key.Becomes(alphabet, from[place], place, direction);
    }
    const auto line = [&](std::size_t place) {
        return key.Line(alphabet, from[place], place, direction);
    };

    AnswerCheck check;
    check.expected = expected.size();
    check.given = given.size();
    check.lookAlikes = read.note;
    // A right answer, the common case of a class's files, needs no alignment.
    if (given == expected) {
        check.right = expected.size();
        for (std::size_t place = 0; marked && place < expected.size(); ++place) {
            check.marks.push_back({Kind::kRight, place + 1, expected[place], given[place], {}});
        }
        check.summary = Summary(check.right, check.expected, 0);
        return check;
    }
    // Walked from the start, a match or a change first, so that a letter left out or put in
    // is found where it is, as late as the letters allow, and the letters after it line up.
    const EditCosts cost(given, expected);
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t extra = 0;
    while (i < given.size() || j < expected.size()) {
        LetterMark mark;
        if (i < given.size() && j < expected.size() &&
            cost.at(i, j) == cost.at(i + 1, j + 1) + (given[i] == expected[j] ? 0 : 1)) {
            mark = {given[i] == expected[j] ? Kind::kRight : Kind::kWrong,
                    j + 1,
                    expected[j],
                    given[i],
                    {}};
            ++i;
            ++j;
        } else if (j < expected.size() && cost.at(i, j) == cost.at(i, j + 1) + 1) {
            mark = {Kind::kMissing, j + 1, expected[j], 0, {}};
            ++j;
        } else {
            mark = {Kind::kExtra, j + 1, 0, given[i], {}};
            ++i;
        }
        check.right += mark.kind == Kind::kRight ? 1 : 0;
        extra += mark.kind == Kind::kExtra ? 1 : 0;
        if (!marked) {
            continue;
        }
        if (mark.kind == Kind::kWrong || mark.kind == Kind::kMissing) {
            mark.line = line(mark.place - 1);
        }
        check.marks.push_back(std::move(mark));
    }
    check.summary = Summary(check.right, check.expected, extra);
    return check;
}

KeyCheck CheckKey(std::u16string_view typed, std::int32_t key, const cipher::Alphabet& alphabet) {
    KeyCheck check;
    std::int32_t read = 0;
    try {
        read = cipher::ReadWholeNumber(typed);
    } catch (const std::overflow_error&) {
        check.note = u"Ключът е твърде голям.";
        return check;
    }
    check.right = alphabet.KeyOf(read) == key;
    std::u16string written(typed);
    std::erase_if(written, cipher::IsIgnoredSpace);
    if (check.right && written != Decimal(key)) {
        check.note = written + u" е същото като " + Decimal(key);
    }
    return check;
}

}  // namespace lesson
