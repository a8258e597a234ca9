// SPDX-License-Identifier: GPL-3.0-or-later
// The texts and limits the page is written with, so that it shows them at its first paint
// and can say why where the module cannot run.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "lesson/caesar/break_section.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"
#include "lesson/form/form.h"
#include "lesson/substitution/substitution_section.h"
#include "lesson/text/identity.h"
#include "lesson/text/language.h"
#include "lesson/vigenere/vigenere_break.h"
#include "lesson/vigenere/vigenere_section.h"
#include "web/action.h"
#include "web/json_writer.h"
#include "web/unavailable_texts.h"

namespace page {
namespace {

std::string Count(std::size_t count) { return Number(static_cast<std::int64_t>(count)); }

// The digits of the highest number a box takes: its length.
std::string DigitsOf(std::int32_t highest) { return Count(cipher::DecimalText(highest).size()); }

std::string OpeningTexts(Page& /*page*/, const Values& /*values*/) {
    const lesson::Form opening;
    return Object({{"caption", Quoted(lesson::kCaption)},
                   {"phrase", Quoted(opening.Fields().phrase)},
                   {"offset", Quoted(opening.Fields().offset)},
                   {"log", Quoted(opening.ShownLog())},
                   {"decodedHeading", Quoted(lesson::BreakSection::DecodedHeading())},
                   {"likeliest", Quoted(lesson::BreakSection::kLikeliestMark)},
                   {"likeliestLetter", Quoted(lesson::VigenereBreak::kLikeliestLetterMark)},
                   {"cyrillicLetters", Quoted(cipher::CyrillicAlphabet().letters)},
                   {"vigenereTextCap", Count(lesson::VigenereSection::kTextCap)},
                   {"keyWordCap", Count(lesson::VigenereSection::kKeyWordCap)},
                   {"substitutionTextCap", Count(lesson::SubstitutionSection::kTextCap)},
                   {"substitutionKeyCap", Count(lesson::SubstitutionSection::kKeyCap)},
                   {"answerCap", Count(lesson::kAnswerCap)},
                   {"exerciseDigits", DigitsOf(lesson::kLastExercise)},
                   {"perSheetDigits", DigitsOf(lesson::kMostPerSheet)},
                   {"variantsDigits", DigitsOf(lesson::kMostVariants)},
                   {"assignmentCodeCap", Count(lesson::kAssignmentCodeCap)},
                   {"handedInCap", Count(lesson::kHandedInCap)},
                   {"keptCap", Count(lesson::kKeptCap)},
                   {"boxSeparator", Quoted(std::u16string(1, lesson::kBoxSeparator))},
                   {"boxCap", Count(lesson::kBoxCap)},
                   {"nameCap", Count(lesson::kNameCap)},
                   {"classCap", Count(lesson::kClassCap)},
                   {"inClassDigits", DigitsOf(lesson::kMostInClass)},
                   {"keptFormat", Quoted(lesson::kRecordFormat)},
                   {"storageRefused", Quoted(lesson::kStorageRefused)},
                   {"forgetQuestion", Quoted(lesson::kForgetQuestion)},
                   {"enterVariant", Quoted(lesson::kEnterVariant)},
                   {"kinds", ArrayOf(lesson::kExerciseKinds,
                                     [](const lesson::KindName& kind) {
                                         return Object({{"name", Quoted(kind.name)},
                                                        {"label", Quoted(kind.label)},
                                                        {"onNewSheet", Boolean(kind.onNewSheet)}});
                                     })},
                   {"alphabets", ArrayOf(lesson::Languages(),
                                         [](const lesson::Language& language) {
                                             return Object({{"name", Quoted(language.name)},
                                                            {"label", Quoted(language.choice)}});
                                         })},
                   {"moduleFailed", Quoted(lesson::kModuleFailed)},
                   {"moduleDamaged", Quoted(lesson::kModuleDamaged)},
                   {"oneClickLost", Quoted(lesson::kOneClickLost)},
                   {"clicksLost", Quoted(lesson::kClicksLost)},
                   {"tryAgain", Quoted(lesson::kTryAgain)},
                   {"actionFailed", Quoted(lesson::kActionFailed)}});
}

constexpr Action kActions[] = {
    {"openingTexts", {}, OpeningTexts},
};

}  // namespace

std::span<const Action> OpeningTextsActions() { return kActions; }

}  // namespace page
