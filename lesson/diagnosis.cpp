// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/diagnosis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/cipher.h"
#include "cipher/decimal_text.h"
#include "lesson/answer_check.h"

namespace lesson {

namespace {

using Kind = LetterMark::Kind;

// The orders a student may number Cyrillic letters by instead of the 30 Bulgarian ones: the
// capitals' order in Unicode, with Ы and Э, and the Russian alphabet, with Ё besides.
struct OtherOrder {
    std::u16string_view letters;
    std::u16string_view named;
};
constexpr std::array<OtherOrder, 2> kOtherOrders{{
    {u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     u"като в Уникод (А…Я с Ы и Э, 32 букви), а не по 30-те букви на българската азбука"},
    {u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     u"като в руската азбука (33 букви, с Ё, Ы и Э), а не по 30-те букви на българската азбука"},
}};

// One cause of mistakes: whether the student would write this at a place of the letters (0 for
// a letter left out, where the cause gives a character that is not one of the alphabet's),
// and the line of arithmetic that gives it.
struct Cause {
    // cppcheck-suppress unusedStructMember ; read through the iterator that finds the cause
    std::u16string sentence;
    std::function<bool(std::size_t at, char16_t given)> gives;
    std::function<std::u16string(std::size_t at, char16_t given)> yours;
};

// The place of the first wrong letter the cause explains, where it explains enough of them and
// no right letter goes against it. Two at least: one wrong letter is as likely a slip.
std::optional<std::size_t> Explained(const std::vector<LetterMark>& marks, const Cause& cause) {
    std::size_t wrong = 0;
    std::size_t explained = 0;
    std::optional<std::size_t> first;
    for (const LetterMark& mark : marks) {
        const std::size_t at = mark.place - 1;
        if (mark.kind == Kind::kExtra) {
            continue;
        }
        if (mark.kind == Kind::kRight) {
            if (!cause.gives(at, mark.expected)) {
                return std::nullopt;
            }
            continue;
        }
        ++wrong;
        if (cause.gives(at, mark.kind == Kind::kMissing ? char16_t{0} : mark.given)) {
            ++explained;
            first = first.value_or(at);
        }
    }
    const bool enough = explained == wrong || (wrong >= 3 && 5 * explained >= 4 * wrong);
    return explained >= 2 && enough ? first : std::nullopt;
}

// An answer with as many letters as expected, compared place by place: an alignment that makes
// a few letters right by putting others in and leaving others out hides a shift of them all.
std::vector<LetterMark> PlaceByPlace(const AnswerCheck& check, std::u16string_view from,
                                     std::int32_t step, const cipher::Alphabet& alphabet) {
    if (check.given != check.expected) {
        return check.marks;
    }
    std::vector<LetterMark> marks;
    for (const LetterMark& mark : check.marks) {
        if (mark.kind != Kind::kMissing) {
            const std::size_t at = marks.size();
            const char16_t expected = alphabet.Shifted(from[at], step);
            marks.push_back({mark.given == expected ? Kind::kRight : Kind::kWrong,
                             at + 1,
                             expected,
                             mark.given,
                             {}});
        }
    }
    return marks;
}

// The commonest of the shifts, or 0 where there is none.
std::int32_t Commonest(const std::vector<std::int32_t>& shifts) {
    std::int32_t commonest = 0;
    std::ptrdiff_t most = 0;
    for (const std::int32_t shift : shifts) {
        const std::ptrdiff_t count = std::count(shifts.begin(), shifts.end(), shift);
        if (count > most) {
            most = count;
            commonest = shift;
        }
    }
    return commonest;
}

// "Ю + 3 = 30 + 3 = 33 - 32 = 1 -> Б", the letter numbered by its place in another order.
std::u16string OrderLine(std::u16string_view order, char16_t letter, std::int32_t step) {
    const auto size = static_cast<std::int32_t>(order.size());
    const auto place = static_cast<std::int32_t>(order.find(letter));
    const std::u16string sign = step < 0 ? u" - " : u" + ";
    const std::u16string key = cipher::DecimalText(step < 0 ? -step : step);
    const std::int32_t sum = place + step;
    const std::int32_t wrapped = (sum % size + size) % size;
    std::u16string line = std::u16string(1, letter) + sign + key + u" = " +
                          cipher::DecimalText(place) + sign + key + u" = " +
                          cipher::DecimalText(sum);
    if (wrapped != sum) {
        line += (sum < 0 ? u" + " : u" - ") + cipher::DecimalText(size) + u" = " +
                cipher::DecimalText(wrapped);
    }
    line += u" -> ";
    line += order[static_cast<std::size_t>(wrapped)];
    return line;
}

class Causes {
public:
    Causes(const AnswerCheck& check, std::u16string_view from, std::int32_t key,
           Direction direction, const cipher::Alphabet& alphabet)
        : m_marks(
              PlaceByPlace(check, from, direction == Direction::kEncrypt ? key : -key, alphabet)),
          m_from(from),
          m_key(key),
          m_step(direction == Direction::kEncrypt ? key : -key),
          m_encrypts(direction == Direction::kEncrypt),
          m_alphabet(alphabet) {}

    std::optional<Diagnosis> Find() const {
        const std::vector<Cause> causes = All();
        std::optional<std::size_t> at;
        const auto named = std::find_if(causes.begin(), causes.end(), [&](const Cause& cause) {
            at = Explained(m_marks, cause);
            return at.has_value();
        });
        if (named == causes.end()) {
            return std::nullopt;
        }
        return Diagnosis{named->sentence, u"Вашето: " + named->yours(*at, GivenAt(*at)),
                         u"Вярно: " + Line(*at, m_key)};
    }

private:
    std::vector<Cause> All() const {
        std::vector<Cause> causes;
        causes.push_back(
            {m_encrypts ? u"Изглежда, че сте изместили назад вместо напред."
                        : u"Изглежда, че сте шифрирали, вместо да дешифрирате: изместили сте "
                          u"напред вместо назад.",
             [this](std::size_t at, char16_t given) {
                 return given == m_alphabet.Shifted(m_from[at], -m_step);
             },
             [this](std::size_t at, char16_t) {
                 return m_encrypts ? cipher::DecryptionLine(m_alphabet, m_from[at], m_key)
                                   : cipher::EncodeLine(m_alphabet, m_from[at], m_key);
             }});
        const std::int32_t other = OtherKey();
        if (other != 0) {
            causes.push_back({u"Изглежда, че сте използвали ключ " + cipher::DecimalText(other) +
                                  u" вместо " + cipher::DecimalText(m_key) + u".",
                              [this, other](std::size_t at, char16_t given) {
                                  return given == m_alphabet.Shifted(m_from[at],
                                                                     m_encrypts ? other : -other);
                              },
                              [this, other](std::size_t at, char16_t) { return Line(at, other); }});
        }
        causes.push_back(Wrap());
        if (&m_alphabet == &cipher::CyrillicAlphabet()) {
            std::transform(kOtherOrders.begin(), kOtherOrders.end(), std::back_inserter(causes),
                           [this](const OtherOrder& order) { return Numbered(order); });
        }
        causes.push_back({u"Изглежда, че сте преписали буквите, без да ги изместите.",
                          [this](std::size_t at, char16_t given) { return given == m_from[at]; },
                          [this](std::size_t at, char16_t) { return Line(at, 0); }});
        return causes;
    }

    // The key that the student's wrong letters were most often shifted by, where it is neither
    // the key, nor no shift, nor the other direction, which are causes of their own.
    std::int32_t OtherKey() const {
        std::vector<std::int32_t> shifts;
        for (const LetterMark& mark : m_marks) {
            if (mark.kind == Kind::kWrong) {
                const auto shift =
                    static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.given)) -
                    static_cast<std::int32_t>(m_alphabet.PlaceOf(m_from[mark.place - 1]));
                shifts.push_back(m_alphabet.KeyOf(m_encrypts ? shift : -shift));
            }
        }
        const std::int32_t other = Commonest(shifts);
        return other == m_key || other == m_alphabet.Size() - m_key ? 0 : other;
    }

    // The letters whose shift passes the end of the alphabet, or its start on the way back,
    // wrong by the same amount or left out; all the others right.
    Cause Wrap() const {
        std::vector<std::int32_t> offsets;
        for (const LetterMark& mark : m_marks) {
            if (mark.kind == Kind::kWrong && Passes(mark.place - 1)) {
                offsets.push_back(
                    m_alphabet.KeyOf(static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.given)) -
                                     static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.expected))));
            }
        }
        const std::int32_t offset = Commonest(offsets);
        const std::u16string first(1, m_alphabet.letters.front());
        const std::u16string last(1, m_alphabet.letters.back());
        return {m_encrypts ? u"Изглежда, че сте сбъркали там, където се минава след " + last +
                                 u": след " + last + u" се продължава от " + first + u"."
                           : u"Изглежда, че сте сбъркали там, където се минава преди " + first +
                                 u": преди " + first + u" се продължава от " + last + u".",
                [this, offset](std::size_t at, char16_t given) {
                    const char16_t right = m_alphabet.Shifted(m_from[at], m_step);
                    if (!Passes(at)) {
                        return given == right;
                    }
                    return given == 0 ||
                           (offset != 0 && given == m_alphabet.Shifted(right, offset));
                },
                [this](std::size_t at, char16_t given) { return Unwrapped(at, given); }};
    }

    // The Cyrillic letters numbered in another order, shifted there; a letter that Bulgarian
    // does not have is left out of the answer.
    Cause Numbered(const OtherOrder& order) const {
        const auto gives = [this, order](std::size_t at, char16_t given) {
            const auto size = static_cast<std::int32_t>(order.letters.size());
            const auto place = static_cast<std::int32_t>(order.letters.find(m_from[at]));
            const char16_t letter =
                order.letters[static_cast<std::size_t>(((place + m_step) % size + size) % size)];
            return given == (m_alphabet.PlaceOf(letter) == std::u16string_view::npos ? 0 : letter);
        };
        return {u"Изглежда, че сте номерирали буквите " + std::u16string(order.named) + u".", gives,
                [this, order](std::size_t at, char16_t) {
                    return OrderLine(order.letters, m_from[at], m_step);
                }};
    }

    bool Passes(std::size_t at) const {
        const auto place = static_cast<std::int32_t>(m_alphabet.PlaceOf(m_from[at]));
        return place + m_step >= m_alphabet.Size() || place + m_step < 0;
    }

    // A letter's number as the trace writes it.
    std::int32_t Number(char16_t letter) const {
        return m_alphabet.numbering == cipher::Numbering::kCharacterCode
                   ? std::int32_t{letter}
                   : static_cast<std::int32_t>(m_alphabet.PlaceOf(letter));
    }

    // The arithmetic without the wrap, then the step to the student's letter, or for codes the
    // character the sum is: "Y + 3 = 89 + 3 = 92 - 25 = 67 -> C", "Y + 3 = 89 + 3 = 92 -> \".
    std::u16string Unwrapped(std::size_t at, char16_t given) const {
        const char16_t letter = m_from[at];
        const std::u16string sign = m_encrypts ? u" + " : u" - ";
        const std::u16string key = cipher::DecimalText(m_key);
        const std::int32_t sum = Number(letter) + m_step;
        std::u16string line = std::u16string(1, letter) + sign + key + u" = " +
                              cipher::DecimalText(Number(letter)) + sign + key + u" = " +
                              cipher::DecimalText(sum);
        if (given != 0) {
            const std::int32_t difference = Number(given) - sum;
            line += (difference < 0 ? u" - " : u" + ") +
                    cipher::DecimalText(difference < 0 ? -difference : difference) + u" = " +
                    cipher::DecimalText(Number(given)) + u" -> " + given;
        } else if (m_alphabet.numbering == cipher::Numbering::kCharacterCode) {
            line += u" -> ";
            line += static_cast<char16_t>(sum);
        }
        return line;
    }

    std::u16string Line(std::size_t at, std::int32_t key) const {
        return m_encrypts ? cipher::EncodeLine(m_alphabet, m_from[at], key)
                          : cipher::DecryptionLine(m_alphabet, m_from[at], key);
    }

    char16_t GivenAt(std::size_t at) const {
        const auto found = std::find_if(m_marks.begin(), m_marks.end(), [at](const LetterMark& m) {
            return m.kind != Kind::kExtra && m.place == at + 1;
        });
        // The place is one the cause explained, so it has its mark.
        return found->kind == Kind::kMissing ? char16_t{0} : found->given;
    }

    std::vector<LetterMark> m_marks;
    std::u16string_view m_from;
    std::int32_t m_key;
    std::int32_t m_step;
    bool m_encrypts;
    const cipher::Alphabet& m_alphabet;
};

}  // namespace

std::optional<Diagnosis> Diagnose(const AnswerCheck& check, std::u16string_view from,
                                  std::int32_t key, Direction direction,
                                  const cipher::Alphabet& alphabet) {
    return Causes(check, from, key, direction, alphabet).Find();
}

std::optional<Diagnosis> DiagnoseKey(std::u16string_view typed, std::int32_t key,
                                     const cipher::Alphabet& alphabet) {
    std::int32_t read = 0;
    try {
        read = alphabet.KeyOf(cipher::ReadWholeNumber(typed));
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
    if (read == key || read != alphabet.Size() - key) {
        return std::nullopt;
    }
    return Diagnosis{u"Изглежда, че ключът ви измества в обратната посока: опитайте с " +
                         cipher::DecimalText(alphabet.Size()) + u" - " + cipher::DecimalText(read) +
                         u".",
                     {},
                     {}};
}

}  // namespace lesson
