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
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/text_parts.h"

namespace lesson {

namespace {

using Kind = LetterMark::Kind;

// The orders a student may number Cyrillic letters by instead of the 30 Bulgarian ones: the
// capitals' order in Unicode, with Ы and Э, and the Russian alphabet, with Ё besides.
// cppcheck does not see the members read in the causes' table.
struct OtherOrder {
    // cppcheck-suppress unusedStructMember
    std::u16string_view letters;
    // cppcheck-suppress unusedStructMember
    std::u16string_view named;
};
constexpr std::array<OtherOrder, 2> kOtherOrders{{
    {u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     u"като в Уникод (А…Я с Ы и Э, 32 букви), а не по 30-те букви на българската азбука"},
    {u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     u"като в руската азбука (33 букви, с Ё, Ы и Э), а не по 30-те букви на българската азбука"},
}};

// The commonest of the amounts that AMOUNT gives the wrong letters, those it gives one, or 0
// where there is none.
template <typename Amount>
std::int32_t Commonest(const std::vector<LetterMark>& marks, const Amount& amount) {
    std::vector<std::int32_t> amounts;
    for (const LetterMark& mark : marks) {
        const std::optional<std::int32_t> given =
            mark.kind == Kind::kWrong ? amount(mark) : std::nullopt;
        if (given) {
            amounts.push_back(*given);
        }
    }
    std::int32_t commonest = 0;
    std::ptrdiff_t most = 0;
    for (const std::int32_t each : amounts) {
        const std::ptrdiff_t count = std::count(amounts.begin(), amounts.end(), each);
        if (count > most) {
            most = count;
            commonest = each;
        }
    }
    return commonest;
}

// The letters worked from, the key and the direction, with the arithmetic the causes share.
struct Working {
    std::u16string_view from;
    ExerciseKey key;
    bool encrypts;
    const cipher::Alphabet& alphabet;

    std::int32_t Place(char16_t letter) const {
        return static_cast<std::int32_t>(alphabet.PlaceOf(letter));
    }
    // The shift of the letter at the place, with the sign of the direction.
    std::int32_t Step(std::size_t at) const {
        const std::int32_t shift = key.ShiftAt(alphabet, at);
        return encrypts ? shift : -shift;
    }
    bool Passes(std::size_t at) const {
        const std::int32_t shifted = Place(from[at]) + Step(at);
        return shifted >= alphabet.Size() || shifted < 0;
    }

    // The key's letter as a step of the trace: its number for a Caesar key, "L(11)" for a
    // letter of a key word.
    std::u16string StepName(std::size_t at) const {
        const std::u16string shift = Decimal(key.ShiftAt(alphabet, at));
        return key.word.empty()
                   ? shift
                   : Joined({key.word.substr(at % key.word.size(), 1), u"(", shift, u")"});
    }

    // A letter's number as the trace writes it: a key word's trace writes places.
    bool WritesCodes() const {
        return key.word.empty() && alphabet.numbering == cipher::Numbering::kCharacterCode;
    }
    std::int32_t Number(char16_t letter) const {
        return WritesCodes() ? std::int32_t{letter} : Place(letter);
    }

    // The trace's line for the letter at the place, by the key's shift and EXTRA more, in the
    // direction or against it.
    std::u16string Line(std::size_t at, std::int32_t extra = 0, bool against = false) const {
        return key.Line(alphabet, from[at], at,
                        encrypts != against ? Direction::kEncrypt : Direction::kDecrypt, extra);
    }

    // The arithmetic without the wrap, then the step to the student's letter, or for codes the
    // character the sum is: "Y + 3 = 89 + 3 = 92 - 25 = 67 -> C", "Y + 3 = 89 + 3 = 92 -> \".
    std::u16string Unwrapped(std::size_t at, char16_t given) const {
        const std::int32_t step = Step(at);
        const std::int32_t sum = Number(from[at]) + step;
        const std::u16string_view sign = encrypts ? u" + " : u" - ";
        std::u16string line =
            Joined({from.substr(at, 1), sign, StepName(at), u" = ", Decimal(Number(from[at])), sign,
                    Decimal(step < 0 ? -step : step), u" = ", Decimal(sum)});
        if (given != 0) {
            const std::int32_t past = Number(given) - sum;
            line += Joined({past < 0 ? u" - " : u" + ",
                            Decimal(past < 0 ? -past : past),
                            u" = ",
                            Decimal(Number(given)),
                            u" -> ",
                            {&given, 1}});
        } else if (WritesCodes()) {
            line += u" -> ";
            line += static_cast<char16_t>(sum);
        }
        return line;
    }

    // What the student's wrong letters were most often shifted by past the key: another
    // Caesar key, where it is neither no shift nor the other direction, which are causes of
    // their own; for a key word, each of its letters one too far or one short.
    std::int32_t OtherKey(const std::vector<LetterMark>& marks) const {
        const std::int32_t extra =
            Commonest(marks, [this](const LetterMark& mark) -> std::optional<std::int32_t> {
                const std::size_t at = mark.place - 1;
                const std::int32_t shift = Place(mark.given) - Place(from[at]);
                return alphabet.KeyOf((encrypts ? shift : -shift) - key.ShiftAt(alphabet, at));
            });
        const std::int32_t size = alphabet.Size();
        if (!key.word.empty()) {
            return extra == 1 || extra == size - 1 ? extra : 0;
        }
        const std::int32_t other = alphabet.KeyOf(key.number + extra);
        return other == 0 || other == size - key.number ? 0 : extra;
    }

    // How far the wrong letters that pass the end are most often from the right ones.
    std::int32_t WrapOffset(const std::vector<LetterMark>& marks) const {
        return Commonest(marks, [this](const LetterMark& mark) -> std::optional<std::int32_t> {
            if (!Passes(mark.place - 1)) {
                return std::nullopt;
            }
            return alphabet.KeyOf(Place(mark.given) - Place(mark.expected));
        });
    }
};

// One form of a cause: the amount for the key used, or how far the letters that pass the end
// were shifted past the right one; the other order the letters were numbered by.
struct Variant {
    std::int32_t amount = 0;
    const OtherOrder* order = nullptr;
};
using Variants = std::vector<Variant>;

// A cause a check looks for: the forms of it that the wrong letters suggest, none where it
// cannot be the cause; whether a form makes the student's letter at a place, 0 for a letter
// left out; what it is, after "Изглежда, че сте "; and the line of arithmetic by which it
// gives the student's letter.
struct Cause {
    Variants (*forms)(const Working& working, const std::vector<LetterMark>& marks);
    bool (*gives)(const Working& working, const Variant& form, std::size_t at, char16_t given);
    std::u16string (*sentence)(const Working& working, const Variant& form);
    std::u16string (*yours)(const Working& working, const Variant& form, std::size_t at,
                            char16_t given);
};

Variants Once(const Working& /*working*/, const std::vector<LetterMark>& /*marks*/) {
    return {Variant{}};
}

// The other key the wrong letters were shifted by, where there is one.
Variants OtherKeys(const Working& working, const std::vector<LetterMark>& marks) {
    Variants forms;
    if (const std::int32_t other = working.OtherKey(marks); other != 0) {
        forms.push_back({other});
    }
    return forms;
}

// The other orders of the letters, for Cyrillic alone.
Variants OtherOrders(const Working& working, const std::vector<LetterMark>& /*marks*/) {
    Variants forms;
    if (&working.alphabet == &cipher::CyrillicAlphabet()) {
        std::transform(kOtherOrders.begin(), kOtherOrders.end(), std::back_inserter(forms),
                       [](const OtherOrder& order) {
                           return Variant{0, &order};
                       });
    }
    return forms;
}

std::u16string OtherKeySentence(const Working& working, const Variant& form) {
    const ExerciseKey& key = working.key;
    const cipher::Alphabet& alphabet = working.alphabet;
    if (key.word.empty()) {
        return Joined({u"използвали ключ ", Decimal(alphabet.KeyOf(key.number + form.amount)),
                       u" вместо ", Decimal(key.number), u"."});
    }
    std::u16string sentence = u"използвали ключовата дума ";
    std::transform(key.word.begin(), key.word.end(), std::back_inserter(sentence),
                   [&](char16_t letter) { return alphabet.Shifted(letter, form.amount); });
    sentence += u" вместо ";
    sentence += key.word;
    // One on is what numbering the letters from 1 gives.
    sentence += form.amount == 1 ? u": всяка буква на ключа е с една позиция напред. Номерата "
                                   u"на буквите започват от 0 ("
                                 : u": всяка буква на ключа е с една позиция назад (";
    sentence += alphabet.letters.front();
    sentence += u" = 0).";
    return sentence;
}

// "…след Z: след Z се продължава от A.", or "…преди A: преди A …от Z."
std::u16string WrapSentence(const Working& working, const Variant& /*form*/) {
    const std::u16string_view letters = working.alphabet.letters;
    const std::u16string where = working.encrypts
                                     ? Joined({u"след ", letters.substr(letters.size() - 1)})
                                     : Joined({u"преди ", letters.substr(0, 1)});
    return Joined({u"сбъркали там, където се минава ", where, u": ", where, u" се продължава от ",
                   working.encrypts ? letters.substr(0, 1) : letters.substr(letters.size() - 1),
                   u"."});
}

// In the order a check tries them.
constexpr Cause kCauses[] = {
    // Shifted the other way.
    {Once,
     [](const Working& w, const Variant& /*form*/, std::size_t at, char16_t given) {
         return given == w.alphabet.Shifted(w.from[at], -w.Step(at));
     },
     [](const Working& w, const Variant& /*form*/) -> std::u16string {
         return w.encrypts
                    ? u"изместили назад вместо напред."
                    : u"шифрирали, вместо да дешифрирате: изместили сте напред вместо назад.";
     },
     [](const Working& w, const Variant& /*form*/, std::size_t at, char16_t /*given*/) {
         return w.Line(at, 0, true);
     }},
    // Shifted by another key.
    {OtherKeys,
     [](const Working& w, const Variant& form, std::size_t at, char16_t given) {
         const std::int32_t other = w.key.ShiftAt(w.alphabet, at) + form.amount;
         return given == w.alphabet.Shifted(w.from[at], w.encrypts ? other : -other);
     },
     OtherKeySentence,
     [](const Working& w, const Variant& form, std::size_t at, char16_t /*given*/) {
         return w.Line(at, form.amount);
     }},
    // Wrong past the end: the letters that pass it wrong by the same amount or left out, all
    // the others right.
    {[](const Working& w, const std::vector<LetterMark>& marks) {
         return Variants{{w.WrapOffset(marks)}};
     },
     [](const Working& w, const Variant& form, std::size_t at, char16_t given) {
         const char16_t right = w.alphabet.Shifted(w.from[at], w.Step(at));
         if (!w.Passes(at)) {
             return given == right;
         }
         return given == 0 || (form.amount != 0 && given == w.alphabet.Shifted(right, form.amount));
     },
     WrapSentence,
     [](const Working& w, const Variant& /*form*/, std::size_t at, char16_t given) {
         return w.Unwrapped(at, given);
     }},
    // Shifted in another order of the Cyrillic letters; a letter Bulgarian does not have is
    // left out.
    {OtherOrders,
     [](const Working& w, const Variant& form, std::size_t at, char16_t given) {
         const std::u16string_view order = form.order->letters;
         const auto size = static_cast<std::int32_t>(order.size());
         const auto place = static_cast<std::int32_t>(order.find(w.from[at]));
         const char16_t shifted =
             order[static_cast<std::size_t>(((place + w.Step(at)) % size + size) % size)];
         return given == (w.alphabet.PlaceOf(shifted) == std::u16string_view::npos ? 0 : shifted);
     },
     [](const Working& /*w*/, const Variant& form) {
         return u"номерирали буквите " + std::u16string(form.order->named) + u".";
     },
     [](const Working& w, const Variant& form, std::size_t at, char16_t /*given*/) {
         return cipher::PlaceLine(form.order->letters, w.from[at], w.key.ShiftAt(w.alphabet, at),
                                  !w.encrypts, w.StepName(at));
     }},
    // Not shifted at all.
    {Once,
     [](const Working& w, const Variant& /*form*/, std::size_t at, char16_t given) {
         return given == w.from[at];
     },
     [](const Working& /*w*/, const Variant& /*form*/) -> std::u16string {
         return u"преписали буквите, без да ги изместите.";
     },
     [](const Working& w, const Variant& /*form*/, std::size_t at, char16_t /*given*/) {
         return w.Line(at, -w.key.ShiftAt(w.alphabet, at));
     }},
};

// The first wrong letter the cause explains, where it explains enough of them and no right
// letter goes against it. GIVES tells whether the cause makes this letter at a place, 0 for a
// letter left out.
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
std::vector<LetterMark> PlaceByPlace(const AnswerCheck& check, const Working& working) {
    if (check.given != check.expected) {
        return check.marks;
    }
    std::vector<LetterMark> marks;
    for (const LetterMark& mark : check.marks) {
        if (mark.kind != Kind::kMissing) {
            const std::size_t at = marks.size();
            const char16_t expected = working.alphabet.Shifted(working.from[at], working.Step(at));
            marks.push_back({mark.given == expected ? Kind::kRight : Kind::kWrong,
                             at + 1,
                             expected,
                             mark.given,
                             {}});
        }
    }
    return marks;
}

}  // namespace

std::optional<Diagnosis> Diagnose(const AnswerCheck& check, std::u16string_view from,
                                  const ExerciseKey& key, Direction direction,
                                  const cipher::Alphabet& alphabet) {
    const Working working{from, key, direction == Direction::kEncrypt, alphabet};
    const std::vector<LetterMark> marks = PlaceByPlace(check, working);
    for (const Cause& cause : kCauses) {
        for (const Variant& form : cause.forms(working, marks)) {
            const LetterMark* first = Explained(marks, [&](std::size_t at, char16_t given) {
                return cause.gives(working, form, at, given);
            });
            if (first != nullptr) {
                const std::size_t at = first->place - 1;
                const char16_t given = first->kind == Kind::kMissing ? char16_t{0} : first->given;
                return Diagnosis{u"Изглежда, че сте " + cause.sentence(working, form),
                                 u"Вашето: " + cause.yours(working, form, at, given),
                                 u"Вярно: " + working.Line(at)};
            }
        }
    }
    return std::nullopt;
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
                         Decimal(alphabet.Size()) + u" - " + Decimal(read) + u".",
                     {},
                     {}};
}

}  // namespace lesson
