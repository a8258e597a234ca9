// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercises/work_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"

namespace lesson {

namespace {

using Kind = LetterMark::Kind;

// A letter's place in words, as in "4-та буква"; an answer has at most 500.
std::u16string Ordinal(std::size_t n) {
    const std::size_t lastTwo = n % 100;
    std::u16string_view ending = u"-та";
    if (lastTwo == 0) {
        ending = u"-тна";
    } else if (lastTwo < 11 || lastTwo > 19) {
        const std::size_t last = n % 10;
        ending = last == 1 ? u"-ва" : last == 2 ? u"-ра" : last == 7 || last == 8 ? u"-ма" : u"-та";
    }
    return Decimal(n) + std::u16string(ending);
}

// "Липсват 66 букви: от 4-та до 68-ма.", each run of missing letters from its first place to
// its last; the marks of the missing letters are taken out.
std::u16string MissingRuns(std::vector<LetterMark>& marks) {
    std::size_t missing = 0;
    std::u16string runs;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].kind != Kind::kMissing) {
            continue;
        }
        std::size_t last = i;
        while (last + 1 < marks.size() && marks[last + 1].kind == Kind::kMissing) {
            ++last;
        }
        missing += last - i + 1;
        runs += Joined(
            {runs.empty() ? u" " : u", ", last == i ? u"" : u"от ", Ordinal(marks[i].place)});
        if (last != i) {
            runs += u" до " + Ordinal(marks[last].place);
        }
        i = last;
    }
    std::erase_if(marks, [](const LetterMark& m) { return m.kind == Kind::kMissing; });
    // Most of the letters are missing, and a text has at least three: more than one.
    return Joined({u"Липсват ", Decimal(missing), u" букви:", runs, u"."});
}

// The mixed alphabet of a substitution, the key word where there is one, else the key.
ExerciseKey KeyOf(const Exercise& exercise) {
    ExerciseKey key(exercise.key);
    if (Substitutes(exercise.kind)) {
        key.mixed = exercise.mixed;
    } else {
        key.word = exercise.keyWord;
    }
    return key;
}

// The letters the student works from, and the way they shift them.
std::u16string_view From(const Exercise& exercise) {
    return Encrypts(exercise.kind) ? exercise.plainLetters : exercise.cipherLetters;
}
Direction DirectionOf(const Exercise& exercise) {
    return Encrypts(exercise.kind) ? Direction::kEncrypt : Direction::kDecrypt;
}

// The cause of a wrong answer's mistakes, a wrong key's first; with the letters' marks that
// may be shown, a wall of numbered blanks made one line.
void FindCause(WorkCheck& check, const Exercise& exercise, std::u16string_view key) {
    const cipher::Alphabet& alphabet = *exercise.alphabet;
    if (!check.key.right) {
        check.diagnosis = DiagnoseKey(key, exercise.key, alphabet);
        check.letters.marks.clear();
        return;
    }
    // The causes it knows are shifts gone wrong, which a substitution has none of.
    if (!Substitutes(exercise.kind)) {
        check.diagnosis = Diagnose(check.letters, From(exercise), KeyOf(exercise),
                                   DirectionOf(exercise), alphabet);
    }
    const std::vector<LetterMark>& marks = check.letters.marks;
    const auto missing = std::count_if(
        marks.begin(), marks.end(), [](const LetterMark& m) { return m.kind == Kind::kMissing; });
    if (2 * static_cast<std::size_t>(missing) > check.letters.expected) {
        check.missingNote = MissingRuns(check.letters.marks);
    }
}

// A text after a blank; nothing for none.
std::u16string After(std::u16string_view text) {
    return text.empty() ? std::u16string() : Joined({u" ", text});
}

// The verdict, with the key's result where it is to be found; then for a screen reader the
// cause, the missing letters, each letter that is not right and each box filled in wrong.
void Say(WorkCheck& check, bool findsKey) {
    const KeyCheck& key = check.key;
    std::u16string keySaid;
    if (findsKey) {
        keySaid = Joined({key.right ? u"Ключът е верен." : u"Ключът не е верен.", After(key.note),
                          key.note.empty() ? u"" : u".", u" "});
    }
    check.verdict = Joined({check.right ? u"Вярно! " : u"", keySaid, check.letters.summary, u".",
                            After(check.letters.lookAlikes)});
    const std::u16string_view cause =
        check.diagnosis ? std::u16string_view(check.diagnosis->sentence) : std::u16string_view();
    check.said = Joined({check.verdict, After(cause), After(check.missingNote)});
    for (const LetterMark& mark : check.letters.marks) {
        if (mark.kind != Kind::kRight) {
            check.said += Joined({u" ", MarkSentence(mark), u"."});
        }
    }
    for (const BoxMark& mark : check.boxes.marks) {
        check.said += After(mark.reason);
    }
}

}  // namespace

std::u16string MarkSentence(const LetterMark& mark) {
    const std::u16string place = Decimal(mark.place);
    if (mark.kind == Kind::kWrong) {
        return Joined(
            {u"Място ", place, u": ", {&mark.given, 1}, u" вместо ", {&mark.expected, 1}});
    }
    if (mark.kind == Kind::kMissing) {
        return Joined({u"Място ", place, u": липсва ", {&mark.expected, 1}});
    }
    if (mark.kind == Kind::kExtra) {
        return Joined({u"Преди място ", place, u": излишна буква ", {&mark.given, 1}});
    }
    return {};
}

std::u16string MarkLine(const LetterMark& mark) {
    if (mark.line.empty()) {
        return {};
    }
    return Joined({u"Място ", Decimal(mark.place), u": ", mark.line});
}

WorkCheck Check(const Exercise& exercise, std::u16string_view answer, std::u16string_view key,
                bool marked) {
    WorkCheck check;
    const cipher::Alphabet& alphabet = *exercise.alphabet;
    const bool findsKey = exercise.kind == ExerciseKind::kFindKey;
    check.key = findsKey ? CheckKey(key, exercise.key, alphabet) : KeyCheck{true, {}};
    if (exercise.kind == ExerciseKind::kCalculate) {
        check.boxes = CheckCalculation(CalculationOf(exercise), answer, alphabet);
        check.letters.right = check.boxes.right;
        check.letters.expected = check.boxes.marks.size();
        check.letters.given = check.boxes.filled;
        check.letters.summary = check.boxes.summary;
    } else {
        check.letters = CheckAnswer(answer, From(exercise), KeyOf(exercise), DirectionOf(exercise),
                                    alphabet, marked);
    }
    check.right = check.key.right && check.letters.right == check.letters.expected &&
                  check.letters.given == check.letters.expected;
    if (!marked) {
        return check;
    }
    if (!check.right && exercise.kind != ExerciseKind::kCalculate) {
        FindCause(check, exercise, key);
    }
    Say(check, findsKey);
    return check;
}

}  // namespace lesson
