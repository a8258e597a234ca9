// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/diagnosis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
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
#include "lesson/exercises/answer_check.h"

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

// The causes a check looks for, in the order it tries them; some with an amount: the key used,
// or how far the letters that pass the end were shifted past the right one.
enum class CauseKind : std::uint8_t { kDirection, kOtherKey, kWrap, kNumbering, kNoShift };
struct Cause {
    CauseKind kind;
    std::int32_t amount = 0;
    const OtherOrder* order = nullptr;
};

// The first wrong letter the cause explains, where it explains enough of them and
// no right letter goes against it. GIVES
// tells whether the cause makes this letter at a place, 0 for a letter left out.
template <typename Gives>
const LetterMark* Explained(const std::vector<LetterMark>& marks, const Gives& gives) {
    std::size_t wrong = 0;
    std::size_t explained = 0;
    const LetterMark* first = nullptr;
    for (const LetterMark& mark : marks) {
        const std::size_t at = mark.place - 1;
        if (mark.kind == Kind::kExtra) {
            continue;
        }
        if (mark.kind == Kind::kRight) {
            if (!gives(at, mark.expected)) {
                return nullptr;
            }
            continue;
        }
        ++wrong;
        if (gives(at, mark.kind == Kind::kMissing ? char16_t{0} : mark.given)) {
            ++explained;
            first = first == nullptr ? &mark : first;
        }
    }
    const bool enough = explained == wrong || (wrong >= 3 && 5 * explained >= 4 * wrong);
    return explained > 0 && enough ? first : nullptr;
}

// An answer with as many letters as expected, compared place by place: an alignment that makes
// a few letters right by putting others in and leaving others out hides a shift of them all.
template <typename Step>
std::vector<LetterMark> PlaceByPlace(const AnswerCheck& check, std::u16string_view from,
                                     const Step& step, const cipher::Alphabet& alphabet) {
    if (check.given != check.expected) {
        return check.marks;
    }
    std::vector<LetterMark> marks;
    for (const LetterMark& mark : check.marks) {
        if (mark.kind != Kind::kMissing) {
            const std::size_t at = marks.size();
            const char16_t expected = alphabet.Shifted(from[at], step(at));
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

// A step of arithmetic as the traces write it: " + 3", " - 3".
std::u16string Signed(std::int32_t step) {
    return (step < 0 ? u" - " : u" + ") + cipher::DecimalText(step < 0 ? -step : step);
}

class Causes {
public:
    Causes(const AnswerCheck& check, std::u16string_view from, const ExerciseKey& key,
           Direction direction, const cipher::Alphabet& alphabet)
        : m_from(from),
          m_key(key),
          m_encrypts(direction == Direction::kEncrypt),
          m_alphabet(alphabet) {
        m_marks = PlaceByPlace(
            check, from, [this](std::size_t at) { return Step(at); }, alphabet);
    }

    std::optional<Diagnosis> Find() const {
        std::vector<Cause> causes{{CauseKind::kDirection}};
        if (const std::int32_t other = OtherKey(); other != 0) {
            causes.push_back({CauseKind::kOtherKey, other});
        }
        causes.push_back({CauseKind::kWrap, WrapOffset()});
        if (&m_alphabet == &cipher::CyrillicAlphabet()) {
            std::transform(kOtherOrders.begin(), kOtherOrders.end(), std::back_inserter(causes),
                           [](const OtherOrder& order) {
                               return Cause{CauseKind::kNumbering, 0, &order};
                           });
        }
        causes.push_back({CauseKind::kNoShift});
        const LetterMark* first = nullptr;
        const auto named = std::find_if(causes.begin(), causes.end(), [&](const Cause& cause) {
            first = Explained(m_marks, [&](std::size_t place, char16_t given) {
                return Gives(cause, place, given);
            });
            return first != nullptr;
        });
        if (named == causes.end()) {
            return std::nullopt;
        }
        const std::size_t at = first->place - 1;
        const char16_t given = first->kind == Kind::kMissing ? char16_t{0} : first->given;
        Diagnosis diagnosis{Sentence(*named), u"Вашето: ", u"Вярно: "};
        diagnosis.yours += Yours(*named, at, given);
        diagnosis.right += Line(at);
        return diagnosis;
    }

private:
    std::u16string Sentence(const Cause& cause) const {
        const char16_t first = m_alphabet.letters.front();
        const char16_t last = m_alphabet.letters.back();
        switch (cause.kind) {
            case CauseKind::kDirection:
                return m_encrypts ? u"Изглежда, че сте изместили назад вместо напред."
                                  : u"Изглежда, че сте шифрирали, вместо да дешифрирате: "
                                    u"изместили сте напред вместо назад.";
            case CauseKind::kOtherKey:
                return OtherKeySentence(cause.amount);
            case CauseKind::kWrap: {
                // "…след Z: след Z се продължава от A.", or "…преди A: преди A …от Z."
                const std::u16string_view where = m_encrypts ? u"след " : u"преди ";
                const char16_t edge = m_encrypts ? last : first;
                std::u16string sentence = u"Изглежда, че сте сбъркали там, където се минава ";
                sentence += where;
                sentence += edge;
                sentence += u": ";
                sentence += where;
                sentence += edge;
                sentence += u" се продължава от ";
                sentence += m_encrypts ? first : last;
                sentence += u".";
                return sentence;
            }
            case CauseKind::kNumbering:
                return u"Изглежда, че сте номерирали буквите " +
                       std::u16string(cause.order->named) + u".";
            case CauseKind::kNoShift:
                break;
        }
        return u"Изглежда, че сте преписали буквите, без да ги изместите.";
    }

    // Whether the cause makes this letter at the place; 0 for a letter left out, where the
    // cause gives a character that is not one of the alphabet's.
    bool Gives(const Cause& cause, std::size_t at, char16_t given) const {
        const char16_t letter = m_from[at];
        switch (cause.kind) {
            case CauseKind::kDirection:
                return given == m_alphabet.Shifted(letter, -Step(at));
            case CauseKind::kOtherKey: {
                const std::int32_t other = m_key.ShiftAt(m_alphabet, at) + cause.amount;
                return given == m_alphabet.Shifted(letter, m_encrypts ? other : -other);
            }
            case CauseKind::kWrap: {
                // The letters that pass the end, wrong by the same amount or left out; all the
                // others right.
                const char16_t right = m_alphabet.Shifted(letter, Step(at));
                if (!Passes(at)) {
                    return given == right;
                }
                return given == 0 ||
                       (cause.amount != 0 && given == m_alphabet.Shifted(right, cause.amount));
            }
            case CauseKind::kNumbering: {
                // Shifted in the other order; a letter Bulgarian does not have is left out.
                const std::u16string_view order = cause.order->letters;
                const auto size = static_cast<std::int32_t>(order.size());
                const auto place = static_cast<std::int32_t>(order.find(letter));
                const char16_t shifted =
                    order[static_cast<std::size_t>(((place + Step(at)) % size + size) % size)];
                return given ==
                       (m_alphabet.PlaceOf(shifted) == std::u16string_view::npos ? 0 : shifted);
            }
            case CauseKind::kNoShift:
                break;
        }
        return given == letter;
    }

    // The line of arithmetic by which the cause gives the student's letter at the place.
    std::u16string Yours(const Cause& cause, std::size_t at, char16_t given) const {
        switch (cause.kind) {
            case CauseKind::kDirection:
                return m_key.Line(m_alphabet, m_from[at], at,
                                  m_encrypts ? Direction::kDecrypt : Direction::kEncrypt);
            case CauseKind::kOtherKey:
                return Line(at, cause.amount);
            case CauseKind::kWrap:
                return Unwrapped(at, given);
            case CauseKind::kNumbering:
                return cipher::PlaceLine(cause.order->letters, m_from[at],
                                         m_key.ShiftAt(m_alphabet, at), !m_encrypts, StepName(at));
            case CauseKind::kNoShift:
                break;
        }
        return Line(at, -m_key.ShiftAt(m_alphabet, at));
    }

    // What the student's wrong letters were most often shifted by past the key: another
    // Caesar key, where it is neither no shift nor the other direction, which are causes of
    // their own; for a key word, each of its letters one too far or one short.
    std::int32_t OtherKey() const {
        std::vector<std::int32_t> extras;
        for (const LetterMark& mark : m_marks) {
            if (mark.kind == Kind::kWrong) {
                const std::size_t at = mark.place - 1;
                const auto shift = static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.given)) -
                                   static_cast<std::int32_t>(m_alphabet.PlaceOf(m_from[at]));
                extras.push_back(m_alphabet.KeyOf((m_encrypts ? shift : -shift) -
                                                  m_key.ShiftAt(m_alphabet, at)));
            }
        }
        const std::int32_t extra = Commonest(extras);
        const std::int32_t size = m_alphabet.Size();
        if (!m_key.word.empty()) {
            return extra == 1 || extra == size - 1 ? extra : 0;
        }
        const std::int32_t other = m_alphabet.KeyOf(m_key.number + extra);
        return other == 0 || other == size - m_key.number ? 0 : extra;
    }

    std::u16string OtherKeySentence(std::int32_t extra) const {
        if (m_key.word.empty()) {
            return u"Изглежда, че сте използвали ключ " +
                   cipher::DecimalText(m_alphabet.KeyOf(m_key.number + extra)) + u" вместо " +
                   cipher::DecimalText(m_key.number) + u".";
        }
        std::u16string sentence = u"Изглежда, че сте използвали ключовата дума ";
        std::transform(m_key.word.begin(), m_key.word.end(), std::back_inserter(sentence),
                       [&](char16_t letter) { return m_alphabet.Shifted(letter, extra); });
        sentence += u" вместо ";
        sentence += m_key.word;
        // One on is what numbering the letters from 1 gives.
        sentence += extra == 1 ? u": всяка буква на ключа е с една позиция напред. Номерата на "
                                 u"буквите започват от 0 ("
                               : u": всяка буква на ключа е с една позиция назад (";
        sentence += m_alphabet.letters.front();
        sentence += u" = 0).";
        return sentence;
    }

    // The key's letter as a step of the trace: its number for a Caesar key, "L(11)" for a
    // letter of a key word.
    std::u16string StepName(std::size_t at) const {
        const std::int32_t shift = m_key.ShiftAt(m_alphabet, at);
        if (m_key.word.empty()) {
            return cipher::DecimalText(shift);
        }
        std::u16string name(1, m_key.word[at % m_key.word.size()]);
        name += u"(";
        cipher::AppendDecimal(name, shift);
        name += u")";
        return name;
    }

    // The shift of the letter at the place, with the sign of the direction.
    std::int32_t Step(std::size_t at) const {
        const std::int32_t shift = m_key.ShiftAt(m_alphabet, at);
        return m_encrypts ? shift : -shift;
    }

    // How far the wrong letters that pass the end are most often from the right ones.
    std::int32_t WrapOffset() const {
        std::vector<std::int32_t> offsets;
        for (const LetterMark& mark : m_marks) {
            if (mark.kind == Kind::kWrong && Passes(mark.place - 1)) {
                offsets.push_back(
                    m_alphabet.KeyOf(static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.given)) -
                                     static_cast<std::int32_t>(m_alphabet.PlaceOf(mark.expected))));
            }
        }
        return Commonest(offsets);
    }

    bool Passes(std::size_t at) const {
        const auto place = static_cast<std::int32_t>(m_alphabet.PlaceOf(m_from[at]));
        return place + Step(at) >= m_alphabet.Size() || place + Step(at) < 0;
    }

    // A letter's number as the trace writes it: a key word's trace writes places.
    bool WritesCodes() const {
        return m_key.word.empty() && m_alphabet.numbering == cipher::Numbering::kCharacterCode;
    }
    std::int32_t Number(char16_t letter) const {
        return WritesCodes() ? std::int32_t{letter}
                             : static_cast<std::int32_t>(m_alphabet.PlaceOf(letter));
    }

    // The arithmetic without the wrap, then the step to the student's letter, or for codes the
    // character the sum is: "Y + 3 = 89 + 3 = 92 - 25 = 67 -> C", "Y + 3 = 89 + 3 = 92 -> \".
    std::u16string Unwrapped(std::size_t at, char16_t given) const {
        const char16_t letter = m_from[at];
        const std::int32_t step = Step(at);
        const std::int32_t sum = Number(letter) + step;
        const std::u16string_view sign = m_encrypts ? u" + " : u" - ";
        std::u16string line(1, letter);
        line += sign;
        line += StepName(at);
        line += u" = ";
        cipher::AppendDecimal(line, Number(letter));
        line += sign;
        cipher::AppendDecimal(line, step < 0 ? -step : step);
        line += u" = ";
        cipher::AppendDecimal(line, sum);
        if (given != 0) {
            line += Signed(Number(given) - sum) + u" = " + cipher::DecimalText(Number(given)) +
                    u" -> " + given;
        } else if (WritesCodes()) {
            line += u" -> ";
            line += static_cast<char16_t>(sum);
        }
        return line;
    }

    // The trace's line for the letter at the place, by the key's shift and EXTRA more.
    std::u16string Line(std::size_t at, std::int32_t extra = 0) const {
        return m_key.Line(m_alphabet, m_from[at], at,
                          m_encrypts ? Direction::kEncrypt : Direction::kDecrypt, extra);
    }

    std::vector<LetterMark> m_marks;
    std::u16string_view m_from;
    ExerciseKey m_key;
    bool m_encrypts;
    const cipher::Alphabet& m_alphabet;
};

}  // namespace

std::optional<Diagnosis> Diagnose(const AnswerCheck& check, std::u16string_view from,
                                  const ExerciseKey& key, Direction direction,
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
