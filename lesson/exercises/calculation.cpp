// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/calculation.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/look_alikes.h"
#include "lesson/exercises/text_parts.h"

namespace lesson {

namespace {

constexpr std::u16string_view kBlank = u"____";
// What a keyboard or a phone puts between digits without meaning anything by it.
constexpr std::u16string_view kBlanks = u" \t\r\n\u00A0\u202F";
// Far past any number of a trace: a longer one is wrong anyway, and reading it stops before it
// could overflow.
constexpr std::int64_t kLargest = 1'000'000;

// How the lines speak of a letter's number: its character code in the window's lines, its
// place in the Cyrillic section's. The headings are those the traces themselves write.
struct Wording {
    std::u16string_view number;     // "Код на Y"
    std::u16string_view theNumber;  // "Кодът на Y е 89"
    std::u16string_view isNumber;   // "89 е кодът на Y."
    std::u16string_view ofFirst;    // why the first letter has its number, if not plain
    std::u16string_view encodeHeading;
    std::u16string_view decodeHeading;
};
constexpr Wording kCodes{u"Код",
                         u"Кодът",
                         u"кодът",
                         u"",
                         u"Последователно извеждам изчислените ASCII кодове:",
                         u"Извеждам обратно кодираната фраза:"};
constexpr Wording kPlaces{u"Номер",
                          u"Номерът",
                          u"номерът",
                          u": номерата започват от 0",
                          u"Шифрирам, като събирам номерата на буквите в азбуката с ключа:",
                          u"Дешифрирам обратно, като изваждам ключа:"};

// The numbers the lines of one letter are written in, for a key from 0 to one less than the
// size.
struct Numbers {
    const cipher::Alphabet& alphabet;
    const Wording& words;
    std::int32_t key;

    std::int32_t Size() const { return alphabet.Size(); }
    // The number of the first letter: A's code, or place 0.
    std::int32_t Base() const {
        return alphabet.numbering == cipher::Numbering::kCharacterCode ? alphabet.letters[0] : 0;
    }
    std::u16string_view LetterAt(std::int32_t place) const {
        return alphabet.letters.substr(static_cast<std::size_t>(place), 1);
    }
    std::u16string_view First() const { return LetterAt(0); }
    std::u16string_view Last() const { return LetterAt(Size() - 1); }
};

void AddBox(Calculation& calculation, CalculationLine& line, std::u16string name,
            std::u16string expected, std::u16string reason, std::u16string_view after) {
    line.boxes.push_back(calculation.boxes.size());
    calculation.boxes.push_back({std::move(name), std::move(expected), std::move(reason)});
    line.texts.emplace_back(after);
}

// "66 е кодът на B."
std::u16string LetterReason(const Numbers& n, std::int32_t number, std::u16string_view letter) {
    return Joined({Decimal(number), u" е ", n.words.isNumber, u" на ", letter, u"."});
}

// "Y + 3 = [89] + 3 = [66] -> [B]": the number after the wrap in one box, so that the line
// does not tell whether there was one.
void AddEncodeLine(Calculation& calculation, const Numbers& n, std::size_t index,
                   std::int32_t place) {
    const std::u16string_view letter = n.LetterAt(place);
    const std::u16string ordinal = Joined({u", буква ", Decimal(index)});
    const std::u16string key = Decimal(n.key);
    const std::int32_t number = n.Base() + place;
    const std::int32_t sum = number + n.key;
    const bool wraps = place + n.key >= n.Size();
    const std::int32_t shifted = wraps ? sum - n.Size() : sum;
    const std::u16string_view encrypted = n.LetterAt((place + n.key) % n.Size());

    CalculationLine line;
    line.texts.push_back(Joined({letter, u" + ", key, u" = "}));
    const std::u16string numberReason =
        place == 0 ? Joined({n.words.theNumber, u" на ", letter, u" е ", Decimal(number),
                             n.words.ofFirst, u"."})
                   : Joined({n.words.theNumber, u" на ", letter, u" е ", Decimal(number), u": ",
                             n.First(), u" е ", Decimal(n.Base()), u", а ", letter, u" е ",
                             Decimal(place), place == 1 ? u" буква" : u" букви", u" след нея."});
    AddBox(calculation, line, Joined({n.words.number, u" на ", letter, ordinal}), Decimal(number),
           numberReason, Joined({u" + ", key, u" = "}));
    std::u16string sumReason = Joined({Decimal(number), u" + ", key, u" = ", Decimal(sum)});
    if (wraps) {
        sumReason += Joined({u", а след ", n.Last(), u" (", Decimal(n.Base() + n.Size() - 1),
                             u") се продължава от ", n.First(), u": ", Decimal(sum), u" - ",
                             Decimal(n.Size()), u" = ", Decimal(shifted)});
    }
    AddBox(calculation, line, Joined({n.words.number, u" след шифрирането на ", letter, ordinal}),
           Decimal(shifted), std::move(sumReason), u" -> ");
    AddBox(calculation, line, Joined({u"Шифрираната буква на ", letter, ordinal}),
           std::u16string(encrypted), LetterReason(n, shifted, encrypted), u"");
    calculation.encodeLines.push_back(std::move(line));
}

// From the encrypted letter's number: by codes as the window's decode pass writes it, "[66]
// [+23] = [89] -> [Y]", where what is added or taken away tells the wrap; by places as the
// Cyrillic section does, "[1] - 3 = [28] -> [Ю]". The names leave the encrypted letter out,
// which the encode line's last box asks for.
void AddDecodeLine(Calculation& calculation, const Numbers& n, std::size_t index,
                   std::int32_t place) {
    const std::u16string ordinal = Decimal(index);
    const std::u16string key = Decimal(n.key);
    const bool codes = n.alphabet.numbering == cipher::Numbering::kCharacterCode;
    const std::int32_t number = n.Base() + place;
    const std::int32_t difference = number - n.key;
    const bool wraps = place < n.key;
    const std::int32_t plain = wraps ? difference + n.Size() : difference;
    const std::u16string_view letter = n.LetterAt(plain - n.Base());

    CalculationLine line;
    line.texts.emplace_back();
    AddBox(calculation, line, Joined({n.words.number, u" на шифрираната буква ", ordinal}),
           Decimal(number),
           Joined({n.words.theNumber, u" на шифрираната буква ", n.LetterAt(place), u" е ",
                   Decimal(number), u"."}),
           codes ? std::u16string(u" ") : Joined({u" - ", key, u" = "}));
    std::u16string plainReason;
    if (codes) {
        const std::u16string added = Decimal(n.Size() - n.key);
        const std::u16string amount = wraps ? Joined({u"+", added}) : Joined({u"-", key});
        AddBox(
            calculation, line,
            Joined({u"Прибавено към кода или извадено от него, буква ", ordinal}), amount,
            wraps ? Joined({Decimal(number), u" - ", key, u" = ", Decimal(difference), u" е преди ",
                            n.First(), u" (", Decimal(n.Base()), u"), затова се прибавя ",
                            Decimal(n.Size()), u" - ", key, u" = ", added, u": ", amount})
                  : Joined({u"Изважда се ключът: ", amount}),
            u" = ");
        plainReason = Joined({Decimal(number), wraps ? u" + " : u" - ", wraps ? added : key, u" = ",
                              Decimal(plain)});
    } else {
        plainReason = Joined({Decimal(number), u" - ", key, u" = ", Decimal(difference)});
        if (wraps) {
            plainReason += Joined({u", а преди ", n.First(), u" (", Decimal(n.Base()),
                                   u") се продължава от ", n.Last(), u": ", Decimal(difference),
                                   u" + ", Decimal(n.Size()), u" = ", Decimal(plain)});
        }
    }
    AddBox(calculation, line, Joined({n.words.number, u" след дешифрирането, буква ", ordinal}),
           Decimal(plain), std::move(plainReason), u" -> ");
    AddBox(calculation, line, Joined({u"Дешифрираната буква ", ordinal}), std::u16string(letter),
           LetterReason(n, plain, letter), u"");
    calculation.decodeLines.push_back(std::move(line));
}

// A number as typed: blanks anywhere, a sign before the digits. Nothing for anything else.
std::optional<std::int64_t> TypedNumber(std::u16string_view typed) {
    std::int64_t number = 0;
    std::int64_t sign = 0;  // none yet
    bool digits = false;
    for (const char16_t c : typed) {
        if (kBlanks.find(c) != std::u16string_view::npos) {
            continue;
        }
        if ((c == u'+' || c == u'-') && sign == 0 && !digits) {
            sign = c == u'-' ? -1 : 1;
            continue;
        }
        if (c < u'0' || c > u'9' || number > kLargest) {
            return std::nullopt;
        }
        number = number * 10 + (c - u'0');
        digits = true;
    }
    if (!digits) {
        return std::nullopt;
    }
    return sign < 0 ? -number : number;
}

bool IsRight(const CalculationBox& box, std::u16string_view typed,
             const cipher::Alphabet& alphabet) {
    // The trace writes a number in a number's box, and a letter in a letter's.
    if (const std::optional<std::int64_t> expected = TypedNumber(box.expected)) {
        return TypedNumber(typed) == expected;
    }
    return alphabet.Reduce(ReadLookAlikes(typed, alphabet).text) == box.expected;
}

template <typename BoxText>
std::u16string Written(const CalculationLine& line, BoxText boxText) {
    std::u16string text;
    for (std::size_t i = 0; i < line.texts.size(); ++i) {
        if (i > 0) {
            text += boxText(line.boxes[i - 1]);
        }
        text += line.texts[i];
    }
    return text;
}

}  // namespace

Calculation CalculationOf(const Exercise& exercise) {
    const cipher::Alphabet& alphabet = *exercise.alphabet;
    const Numbers n{alphabet,
                    alphabet.numbering == cipher::Numbering::kCharacterCode ? kCodes : kPlaces,
                    alphabet.KeyOf(exercise.key)};
    Calculation calculation;
    calculation.encodeHeading = n.words.encodeHeading;
    calculation.decodeHeading = n.words.decodeHeading;
    std::vector<std::int32_t> places;
    places.reserve(exercise.plainLetters.size());
    for (const char16_t letter : exercise.plainLetters) {
        const std::size_t place = alphabet.PlaceOf(letter);
        if (place != std::u16string_view::npos) {
            places.push_back(static_cast<std::int32_t>(place));
        }
    }
    // Seven boxes a letter at most: no copying of the boxes as they are added.
    calculation.boxes.reserve(places.size() * 7);
    for (std::size_t i = 0; i < places.size(); ++i) {
        AddEncodeLine(calculation, n, i + 1, places[i]);
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        AddDecodeLine(calculation, n, i + 1, (places[i] + n.key) % n.Size());
    }
    return calculation;
}

std::vector<std::u16string> BoxValues(std::u16string_view answer, std::size_t boxes) {
    std::vector<std::u16string> values(boxes);
    std::size_t start = 0;
    for (std::u16string& value : values) {
        if (start > answer.size()) {
            break;
        }
        const std::size_t end = std::min(answer.find(kBoxSeparator, start), answer.size());
        value = answer.substr(start, end - start);
        start = end + 1;
    }
    return values;
}

CalculationCheck CheckCalculation(const Calculation& calculation, std::u16string_view answer,
                                  const cipher::Alphabet& alphabet) {
    const std::vector<std::u16string> values = BoxValues(answer, calculation.boxes.size());
    CalculationCheck check;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const CalculationBox& box = calculation.boxes[i];
        BoxMark mark;
        mark.filled = values[i].find_first_not_of(kBlanks) != std::u16string::npos;
        mark.right = mark.filled && IsRight(box, values[i], alphabet);
        mark.wrong = mark.filled && !mark.right;
        // An empty box's reason would give its value away.
        if (mark.wrong) {
            mark.reason = Joined({box.name, u": ", box.reason});
        }
        check.filled += mark.filled ? 1 : 0;
        check.right += mark.right ? 1 : 0;
        check.marks.push_back(mark);
    }
    check.summary = Joined({Decimal(check.right), u" от ", Decimal(values.size()), u" полета ",
                            check.right == 1 ? u"е вярно" : u"са верни"});
    return check;
}

std::u16string BlankLine(const CalculationLine& line) {
    return Written(line, [](std::size_t) { return kBlank; });
}

std::u16string FilledLine(const Calculation& calculation, const CalculationLine& line) {
    return Written(line, [&calculation](std::size_t box) -> const std::u16string& {
        return calculation.boxes[box].expected;
    });
}

std::u16string CalculationAnswer(const Exercise& exercise) {
    const Calculation calculation = CalculationOf(exercise);
    std::u16string answer;
    for (const auto* lines : {&calculation.encodeLines, &calculation.decodeLines}) {
        for (const CalculationLine& line : *lines) {
            if (!answer.empty()) {
                answer += u"; ";
            }
            answer += FilledLine(calculation, line);
        }
    }
    return answer;
}

}  // namespace lesson
