// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/teacher_sheet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/substitution/substitution_solving.h"
#include "lesson/text/language.h"

namespace lesson {

namespace {

// The bit of a kind in SheetSettings::kinds, and the kinds of the bits, in the order of
// kExerciseKinds.
std::uint32_t KindBit(ExerciseKind kind) {
    return 1U << static_cast<std::uint32_t>(&NameOf(kind) - std::begin(kExerciseKinds));
}

std::vector<ExerciseKind> KindsOf(std::uint32_t bits) {
    std::vector<ExerciseKind> kinds;
    for (const KindName& named : kExerciseKinds) {
        if ((bits & KindBit(named.kind)) != 0) {
            kinds.push_back(named.kind);
        }
    }
    return kinds;
}

}  // namespace

TeacherSheet MakeTeacherSheet(std::span<const ExerciseKind> kinds, std::u16string_view perSheet,
                              std::u16string_view variants, std::u16string_view first,
                              const cipher::Alphabet& alphabet) {
    TeacherSheet sheet;
    const std::optional<std::int32_t> each = NumberFrom(perSheet, 1, kMostPerSheet);
    const std::optional<std::int32_t> students = NumberFrom(variants, 1, kMostVariants);
    const std::optional<std::int32_t> start = NumberFrom(first, kFirstExercise, kLastExercise);
    if (kinds.empty()) {
        sheet.message = u"Изберете поне един вид упражнение.";
    } else if (!each) {
        sheet.message = WholeNumberNote(u"Броят на упражненията на лист", kMostPerSheet);
    } else if (!students) {
        sheet.message = WholeNumberNote(u"Броят на вариантите", kMostVariants);
    } else if (!start) {
        sheet.message = WholeNumberNote(u"Номерът на първото упражнение", kLastExercise);
    } else {
        sheet.settings.language = &LanguageOf(alphabet);
        for (const ExerciseKind kind : kinds) {
            sheet.settings.kinds |= KindBit(kind);
        }
        sheet.settings.perSheet = *each;
        sheet.settings.first = *start;
        for (std::int32_t variant = 1; variant <= *students; ++variant) {
            sheet.variants.push_back(VariantExercises(sheet.settings, variant));
        }
    }
    return sheet;
}

SheetPlace PlaceOnSheet(const SheetSettings& settings, std::int32_t variant,
                        std::int32_t exercise) {
    const std::vector<ExerciseKind> kinds = KindsOf(settings.kinds);
    return {
        kinds[static_cast<std::size_t>(exercise) % kinds.size()],
        (settings.first - 1 + (variant - 1) * settings.perSheet + exercise) % kLastExercise + 1};
}

std::vector<Exercise> VariantExercises(const SheetSettings& settings, std::int32_t variant) {
    std::vector<Exercise> exercises;
    for (std::int32_t e = 0; e < settings.perSheet; ++e) {
        const SheetPlace place = PlaceOnSheet(settings, variant, e);
        exercises.push_back(*MakeExercise(place.kind, place.number, *settings.language));
    }
    return exercises;
}

std::u16string VariantHeading(const TeacherSheet& sheet, std::size_t variant) {
    const std::u16string_view note = sheet.settings.language->onSheet;
    return Joined({u"Вариант ", Decimal(variant + 1), note.empty() ? u"" : u" (", note,
                   note.empty() ? u"" : u")"});
}

std::u16string SheetTaskLine(const Exercise& exercise) {
    const Task task = TaskOf(exercise);
    // Where the letters are printed over boxes, the task stops before them.
    const bool boxed = !SheetLetterGroups(exercise).empty();
    return Joined({u"Упражнение ", Decimal(exercise.number), u". ", task.asked, boxed ? u"" : u" ",
                   boxed ? std::u16string_view() : task.given});
}

std::u16string SheetAnswerLine(const Exercise& exercise) {
    return u"Упражнение " + Decimal(exercise.number) + u": " + AnswerText(exercise);
}

std::vector<std::u16string> SheetLetterGroups(const Exercise& exercise) {
    std::vector<std::u16string> groups;
    if (Encrypts(exercise.kind)) {
        const std::u16string_view plain = exercise.plain;
        for (std::size_t start = 0; start <= plain.size();) {
            const std::size_t end = std::min(plain.find(u' ', start), plain.size());
            std::u16string word = exercise.alphabet->Reduce(plain.substr(start, end - start));
            if (!word.empty()) {
                groups.push_back(std::move(word));
            }
            start = end + 1;
        }
    } else if (exercise.kind == ExerciseKind::kSolveSubstitution) {
        const std::u16string text = SubstitutedText(exercise);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = start;
            while (end < text.size() &&
                   exercise.alphabet->PlaceOf(text[end]) != std::u16string::npos) {
                ++end;
            }
            if (end > start) {
                groups.push_back(text.substr(start, end - start));
            }
            start = end + 1;
        }
    } else if (exercise.kind == ExerciseKind::kDecrypt ||
               exercise.kind == ExerciseKind::kDecryptKeyWord) {
        const std::u16string_view letters = exercise.cipherLetters;
        for (std::size_t start = 0; start < letters.size(); start += kSheetGroup) {
            groups.emplace_back(letters.substr(start, kSheetGroup));
        }
    }
    return groups;
}

std::size_t SheetKeyBoxes(const Exercise& exercise) {
    if (exercise.kind != ExerciseKind::kFindKey) {
        return 0;
    }
    return Decimal(exercise.alphabet->Size() - 1).size();
}

std::vector<SheetBlock> SheetCalculation(const Exercise& exercise) {
    std::vector<SheetBlock> blocks;
    if (exercise.kind != ExerciseKind::kCalculate) {
        return blocks;
    }
    const Calculation calculation = CalculationOf(exercise);
    const auto block = [&blocks](const std::u16string& heading,
                                 const std::vector<CalculationLine>& lines) {
        SheetBlock& printed = blocks.emplace_back();
        printed.heading = heading;
        for (const CalculationLine& line : lines) {
            printed.lines.push_back(BlankLine(line));
        }
    };
    block(calculation.encodeHeading, calculation.encodeLines);
    block(calculation.decodeHeading, calculation.decodeLines);
    return blocks;
}

std::vector<std::vector<std::u16string>> SheetFrequencies(const Exercise& exercise) {
    std::vector<std::vector<std::u16string>> rows;
    if (exercise.kind != ExerciseKind::kSolveSubstitution) {
        return rows;
    }
    SubstitutionSolving solving;
    solving.Start(SubstitutedText(exercise), *exercise.alphabet);
    rows = {{u"Буква в шифъра"}, {u"Среща се"}, {u"Толкова честа в езика"}};
    for (const SubstitutionSolving::Row& row : solving.Rows()) {
        rows[0].emplace_back(1, row.letter);
        rows[1].push_back(Decimal(row.count));
        rows[2].emplace_back(1, row.common);
    }
    return rows;
}

}  // namespace lesson
