// SPDX-License-Identifier: GPL-3.0-or-later
// The page's lesson: one form and one section of each kind for as long as the page is open,
// driven by requests. Each action answers with the whole state of what it changed, so that
// a new lesson adds an action here and reads its state in the page, and nothing else.
#include "web/page_api.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/vigenere.h"
#include "cipher/vigenere_breaking.h"
#include "lesson/caesar/break_section.h"
#include "lesson/caesar/cyrillic_section.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_results.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"
#include "lesson/form/form.h"
#include "lesson/text/identity.h"
#include "lesson/text/language.h"
#include "lesson/text/spelled_letters.h"
#include "lesson/vigenere/vigenere_break.h"
#include "lesson/vigenere/vigenere_section.h"
#include "web/json_request.h"
#include "web/json_writer.h"
#include "web/unavailable_texts.h"

namespace {

struct Page {
    lesson::Form form;
    lesson::CyrillicSection cyrillic;
    lesson::BreakSection breaking;
    lesson::VigenereSection vigenere;
    lesson::VigenereBreak vigenereBreak;
    lesson::ExerciseSection exercises;
    lesson::ClassResults results;
    std::string request;
    std::string response;
};

Page& ThePage() {
    static Page page;
    return page;
}

std::string Error(std::string_view why) {
    return page::Object({{"error", page::Quoted(std::u16string(why.begin(), why.end()))}});
}

std::u16string_view NoticeName(lesson::Form::Notice notice) {
    switch (notice) {
        case lesson::Form::Notice::kWarning:
            return u"warning";
        case lesson::Form::Notice::kAnnouncement:
            return u"announcement";
        case lesson::Form::Notice::kNone:
            break;
    }
    return u"";
}

// The fields, the log as its box shows it, what the last click came to and what the window
// shows after it, and the code buffer.
std::string FormState(const lesson::Form& form) {
    using page::Quoted;
    std::vector<std::string> codes(form.Codes().size());
    std::transform(form.Codes().begin(), form.Codes().end(), codes.begin(),
                   [](std::uint8_t code) { return page::Number(std::int64_t{code}); });
    const cipher::FormFields& fields = form.Fields();
    const lesson::ClickOutcome& outcome = form.Outcome();
    return page::Object({{"phrase", Quoted(fields.phrase)},
                         {"offset", Quoted(fields.offset)},
                         {"result", Quoted(fields.result)},
                         {"log", Quoted(form.ShownLog())},
                         {"showsLog", page::Boolean(form.ShowsLog())},
                         {"notice", Quoted(NoticeName(form.NoticeToGive()))},
                         {"problemTitle", Quoted(outcome.problemTitle)},
                         {"problem", Quoted(outcome.problem)},
                         {"announcement", Quoted(outcome.announcement)},
                         {"codes", page::Array(codes)}});
}

std::u16string_view AlphabetName(const cipher::Alphabet& alphabet) {
    return lesson::LanguageOf(alphabet).name;
}

// The alphabet a request names, A to Z where it names none; nothing for an unknown name.
const cipher::Alphabet* RequestedAlphabet(const page::Request& request) {
    const std::optional<std::u16string> name = request.Text("alphabet");
    if (!name) {
        return lesson::Languages().front().alphabet;
    }
    const lesson::Language* language = lesson::LanguageNamed(*name);
    return language != nullptr ? language->alphabet : nullptr;
}

// The phrase's letters, the key, the result, the trace and what to say of them.
std::string CyrillicState(const lesson::CyrillicSection& section) {
    using page::Quoted;
    return page::Object({{"letters", Quoted(section.Letters())},
                         {"key", page::Number(std::int64_t{section.Key()})},
                         {"result", Quoted(section.Result())},
                         {"trace", Quoted(section.Trace())},
                         {"message", Quoted(section.Message())},
                         {"announcement", Quoted(section.Announcement())}});
}

// Every offset's row, likeliest first, the chosen one, each letter's count beside the
// language's, the note, the announcement and the chosen row's trace where it is shown.
std::string BreakState(const lesson::BreakSection& section, bool withTrace = true) {
    using page::Number;
    using page::Quoted;
    std::vector<std::string> rows;
    for (std::size_t row = 0; row < section.Rows(); ++row) {
        rows.push_back(page::Object({{"offset", Number(std::int64_t{section.Offset(row)})},
                                     {"decoded", Quoted(section.Decoded(row))},
                                     {"score", Quoted(section.Score(row))}}));
    }
    const cipher::Alphabet& alphabet = section.Letters();
    std::vector<std::string> letters;
    for (std::size_t letter = 0; letter < alphabet.letters.size(); ++letter) {
        letters.push_back(page::Object(
            {{"letter", Quoted(alphabet.letters.substr(letter, 1))},
             {"count", Number(std::int64_t{section.Count(letter)})},
             {"expectedThousandths", Number(std::llround(section.Expected(letter) * 1000))},
             {"expectedText", Quoted(section.ExpectedText(letter))}}));
    }
    return page::Object({{"alphabet", Quoted(AlphabetName(alphabet))},
                         {"comparison", Quoted(section.Comparison())},
                         {"expectedHeading", Quoted(section.ExpectedHeading())},
                         {"rows", page::Array(rows)},
                         {"chosen", Number(static_cast<std::int64_t>(section.Chosen()))},
                         {"letters", page::Array(letters)},
                         {"message", Quoted(section.Message())},
                         {"announcement", Quoted(section.Announcement())},
                         {"trace", Quoted(withTrace ? section.Trace() : u"")}});
}

// The text's letters over the key word's, the result, the trace and what to say of them.
std::string VigenereState(const lesson::VigenereSection& section) {
    using page::Quoted;
    return page::Object({{"letters", Quoted(section.Letters())},
                         {"keyRow", Quoted(section.KeyRow())},
                         {"lettersSaid", Quoted(lesson::SpelledLetters(section.Letters()))},
                         {"keyRowSaid", Quoted(lesson::SpelledLetters(section.KeyRow()))},
                         {"result", Quoted(section.Result())},
                         {"trace", Quoted(section.Trace())},
                         {"message", Quoted(section.Message())},
                         {"announcement", Quoted(section.Announcement())}});
}

// Each length's coincidence beside the language's, the repeated groups, the lengths to choose
// from, the key word, the shown column broken as the breaking section shows a text, and the
// decryption.
std::string VigenereBreakState(const lesson::VigenereBreak& section) {
    using page::Number;
    using page::Quoted;
    const auto thousandths = [](double value) { return Number(std::llround(value * 1000)); };
    std::vector<std::string> coincidences;
    std::vector<std::string> lengths;
    for (std::size_t i = 0; i < section.Coincidences().size(); ++i) {
        coincidences.push_back(
            page::Object({{"thousandths", thousandths(section.Coincidences()[i])},
                          {"text", Quoted(section.CoincidenceTexts()[i])}}));
    }
    std::vector<std::string> columnNames;
    for (std::int32_t length = 1; length <= cipher::kLongestKeyWord; ++length) {
        lengths.push_back(Quoted(section.LengthChoice(length)));
        columnNames.push_back(Quoted(lesson::VigenereBreak::ColumnName(length - 1)));
    }
    std::vector<std::string> groups(section.Groups().size());
    std::transform(section.Groups().begin(), section.Groups().end(), groups.begin(),
                   [](const lesson::VigenereBreak::GroupRow& row) {
                       return page::Object({{"letters", Quoted(row.letters)},
                                            {"places", Quoted(row.places)},
                                            {"distances", Quoted(row.distances)},
                                            {"divisors", Quoted(row.divisors)}});
                   });
    return page::Object(
        {{"alphabet", Quoted(AlphabetName(section.Letters()))},
         {"broken", page::Boolean(section.Broken())},
         {"coincidences", page::Array(coincidences)},
         {"languageThousandths", thousandths(section.LanguageCoincidence())},
         {"languageText", Quoted(section.LanguageCoincidenceText())},
         {"likeliest", Number(std::int64_t{section.LikeliestLength()})},
         {"lengths", page::Array(lengths)},
         {"length", Number(std::int64_t{section.Length()})},
         {"groups", page::Array(groups)},
         {"groupsNote", Quoted(section.GroupsNote())},
         {"keyWord", Quoted(section.KeyWord())},
         {"columnNames", page::Array(columnNames)},
         {"shownColumn", Number(std::int64_t{section.ShownColumn()})},
         {"columnHeading", Quoted(section.Broken() ? section.ColumnHeading() : u"")},
         {"column", section.Broken() ? BreakState(section.Column(), false) : "null"},
         {"decrypted", Quoted(section.Decrypted())},
         {"trace", Quoted(section.Trace())},
         {"message", Quoted(section.Message())},
         {"announcement", Quoted(section.Announcement())}});
}

std::u16string_view MarkName(lesson::LetterMark::Kind kind) {
    switch (kind) {
        case lesson::LetterMark::Kind::kWrong:
            return u"wrong";
        case lesson::LetterMark::Kind::kMissing:
            return u"missing";
        case lesson::LetterMark::Kind::kExtra:
            return u"extra";
        case lesson::LetterMark::Kind::kRight:
            break;
    }
    return u"right";
}

std::string Letter(char16_t letter) {
    return page::Quoted(letter == 0 ? std::u16string() : std::u16string(1, letter));
}

// The window's arithmetic to fill in: its headings, its lines of texts between boxes, and each
// box's name; null for the other kinds.
std::string CalculationState(const lesson::Calculation& calculation) {
    if (calculation.boxes.empty()) {
        return "null";
    }
    const auto lines = [](const std::vector<lesson::CalculationLine>& written) {
        std::vector<std::string> objects;
        for (const lesson::CalculationLine& line : written) {
            std::vector<std::string> texts(line.texts.size());
            std::vector<std::string> boxes(line.boxes.size());
            std::transform(line.texts.begin(), line.texts.end(), texts.begin(), page::Quoted);
            std::transform(
                line.boxes.begin(), line.boxes.end(), boxes.begin(),
                [](std::size_t box) { return page::Number(static_cast<std::int64_t>(box)); });
            objects.push_back(
                page::Object({{"texts", page::Array(texts)}, {"boxes", page::Array(boxes)}}));
        }
        return page::Array(objects);
    };
    std::vector<std::string> names(calculation.boxes.size());
    std::transform(calculation.boxes.begin(), calculation.boxes.end(), names.begin(),
                   [](const lesson::CalculationBox& box) { return page::Quoted(box.name); });
    return page::Object({{"encodeHeading", page::Quoted(calculation.encodeHeading)},
                         {"decodeHeading", page::Quoted(calculation.decodeHeading)},
                         {"encode", lines(calculation.encodeLines)},
                         {"decode", lines(calculation.decodeLines)},
                         {"names", page::Array(names)}});
}

// Each box of the last check: filled or not, right or not, and for one filled in wrong its name
// and its reason; an empty box's reason would give its value away.
std::string BoxMarks(const lesson::ExerciseSection& section) {
    std::vector<std::string> marks;
    const std::vector<lesson::BoxMark>& checked = section.BoxCheck().marks;
    for (std::size_t box = 0; box < checked.size(); ++box) {
        const lesson::CalculationBox& named = section.Calculated().boxes[box];
        const bool wrong = checked[box].filled && !checked[box].right;
        marks.push_back(page::Object(
            {{"filled", page::Boolean(checked[box].filled)},
             {"right", page::Boolean(checked[box].right)},
             {"reason", page::Quoted(wrong ? named.name + u": " + named.reason : u"")}}));
    }
    return page::Array(marks);
}

// The exercise, the last check letter by letter, the hints to show (with the breaking
// section's chart and table once asked for), the answer once shown, and the score.
std::string ExerciseState(const lesson::ExerciseSection& section) {
    using page::Boolean;
    using page::Quoted;
    using Step = lesson::ExerciseSection::HintStep;
    const std::vector<lesson::LetterMark>& checked = section.LetterCheck().marks;
    std::vector<std::string> marks(checked.size());
    std::transform(
        checked.begin(), checked.end(), marks.begin(), [](const lesson::LetterMark& mark) {
            return page::Object({{"kind", Quoted(MarkName(mark.kind))},
                                 {"place", page::Number(static_cast<std::int64_t>(mark.place))},
                                 {"expected", Letter(mark.expected)},
                                 {"given", Letter(mark.given)},
                                 {"sentence", Quoted(lesson::MarkSentence(mark))},
                                 {"line", Quoted(lesson::MarkLine(mark))}});
        });
    const lesson::Exercise& exercise = section.Current();
    const std::optional<lesson::Assignment>& assignment = section.Assigned();
    const std::optional<lesson::Diagnosis>& diagnosis = section.Diagnosed();
    return page::Object(
        {{"kind", Quoted(lesson::NameOf(exercise.kind).name)},
         {"alphabet", Quoted(AlphabetName(*exercise.alphabet))},
         {"number", page::Number(std::int64_t{exercise.number})},
         {"accepted", Boolean(section.NumberAccepted())},
         {"task", Quoted(section.Task())},
         {"message", Quoted(section.Message())},
         {"checked", Boolean(section.Checked())},
         {"solved", Boolean(section.Solved())},
         {"findsKey", Boolean(exercise.kind == lesson::ExerciseKind::kFindKey)},
         {"marks", page::Array(marks)},
         {"verdict", Quoted(section.Verdict())},
         {"diagnosis", Quoted(diagnosis ? diagnosis->sentence : u"")},
         {"diagnosisLines", page::Array({Quoted(diagnosis ? diagnosis->yours : u""),
                                         Quoted(diagnosis ? diagnosis->right : u"")})},
         {"missingNote", Quoted(section.MissingNote())},
         {"calculation", CalculationState(section.Calculated())},
         {"boxMarks", BoxMarks(section)},
         {"hintsUsed", Quoted(section.HintsUsed())},
         {"showsChart", Boolean(section.Shows(Step::kChart))},
         {"showsCommonest", Boolean(section.Shows(Step::kCommonest))},
         {"showsKeys", Boolean(section.Shows(Step::kKeys))},
         {"commonest", Quoted(section.CommonestLetterHint())},
         {"breaking", section.Shows(Step::kChart) ? BreakState(section.Breaking()) : "null"},
         {"answer", Quoted(section.AnswerLine())},
         {"score", Quoted(section.Score())},
         {"typedAnswer", Quoted(section.Work().answer)},
         {"typedKey", Quoted(section.Work().key)},
         {"assignment", Quoted(assignment ? assignment->code : u"")},
         {"variant", page::Number(assignment ? assignment->variant : 0)},
         {"assignedPlace", Quoted(section.AssignedPlace())},
         {"assignmentMessage", Quoted(section.AssignmentMessage())},
         {"studentName", Quoted(section.StudentTyped().name)},
         {"studentClass", Quoted(section.StudentTyped().className)},
         {"studentNumber", Quoted(section.StudentTyped().number)},
         {"keptNote", Quoted(section.KeptNote())},
         {"announcement", Quoted(section.Announcement())}});
}

std::string OpenExercise(Page& page, const page::Request& request) {
    const std::optional<std::u16string> kind = request.Text("kind");
    const std::optional<std::u16string> number = request.Text("number");
    const cipher::Alphabet* alphabet = RequestedAlphabet(request);
    const lesson::KindName* named = kind ? lesson::KindNamed(*kind) : nullptr;
    if (named == nullptr || !number || alphabet == nullptr) {
        return Error("exercise needs a known kind, a number and a known alphabet");
    }
    page.exercises.Open(named->kind, *number, *alphabet);
    return ExerciseState(page.exercises);
}

std::string CheckAnswer(Page& page, const page::Request& request) {
    const std::optional<std::u16string> answer = request.Text("answer");
    const std::optional<std::u16string> key = request.Text("key");
    if (!answer || !key) {
        return Error("checkAnswer needs an answer and a key");
    }
    page.exercises.Check(*answer, *key);
    return ExerciseState(page.exercises);
}

// The teacher's sheets for the kinds named and the counts typed: each variant's heading and
// its exercises' lines with their answers, or what is wrong with the choices.
// The sheets of the teacher's choices in a request, or nothing where it lacks one or names a
// kind or an alphabet not known.
std::optional<lesson::TeacherSheet> RequestedSheet(const page::Request& request) {
    const std::optional<std::vector<std::u16string>> kinds = request.List("kinds");
    const std::optional<std::u16string> perSheet = request.Text("perSheet");
    const std::optional<std::u16string> variants = request.Text("variants");
    const std::optional<std::u16string> first = request.Text("first");
    const cipher::Alphabet* alphabet = RequestedAlphabet(request);
    if (!kinds || !perSheet || !variants || !first || alphabet == nullptr) {
        return std::nullopt;
    }
    std::vector<lesson::ExerciseKind> chosen;
    for (const std::u16string& name : *kinds) {
        const lesson::KindName* named = lesson::KindNamed(name);
        if (named == nullptr) {
            return std::nullopt;
        }
        chosen.push_back(named->kind);
    }
    return lesson::MakeTeacherSheet(chosen, *perSheet, *variants, *first, *alphabet);
}

std::string Sheet(Page& /*page*/, const page::Request& request) {
    using page::Quoted;
    const std::optional<lesson::TeacherSheet> made = RequestedSheet(request);
    if (!made) {
        return Error(
            "sheet names an unknown kind, or lacks kinds, perSheet, variants, first or a known "
            "alphabet");
    }
    const lesson::TeacherSheet& sheet = *made;
    const cipher::Alphabet* alphabet = sheet.settings.language->alphabet;
    const auto quotedAll = [](const std::vector<std::u16string>& texts) {
        std::vector<std::string> quoted(texts.size());
        std::transform(texts.begin(), texts.end(), quoted.begin(),
                       [](const std::u16string& text) { return page::Quoted(text); });
        return page::Array(quoted);
    };
    const auto written = [&quotedAll](const lesson::Exercise& exercise) {
        const std::vector<lesson::SheetBlock> calculation = lesson::SheetCalculation(exercise);
        std::vector<std::string> blocks(calculation.size());
        std::transform(calculation.begin(), calculation.end(), blocks.begin(),
                       [&quotedAll](const lesson::SheetBlock& block) {
                           return page::Object({{"heading", page::Quoted(block.heading)},
                                                {"lines", quotedAll(block.lines)}});
                       });
        return page::Object({{"task", Quoted(lesson::SheetTaskLine(exercise))},
                             {"groups", quotedAll(lesson::SheetLetterGroups(exercise))},
                             {"keyBoxes", page::Boolean(lesson::HasSheetKeyBoxes(exercise))},
                             {"calculation", page::Array(blocks)},
                             {"answer", Quoted(lesson::SheetAnswerLine(exercise))}});
    };
    std::vector<std::string> pages;
    pages.reserve(sheet.variants.size());
    for (std::size_t v = 0; v < sheet.variants.size(); ++v) {
        const std::vector<lesson::Exercise>& variant = sheet.variants[v];
        std::vector<std::string> exercises(variant.size());
        std::transform(variant.begin(), variant.end(), exercises.begin(), written);
        const auto number = static_cast<std::int32_t>(v + 1);
        pages.push_back(
            page::Object({{"heading", Quoted(lesson::VariantHeading(number, *alphabet))},
                          {"exercises", page::Array(exercises)}}));
    }
    return page::Object({{"message", Quoted(sheet.message)},
                         {"nameLine", Quoted(lesson::kSheetNameLine)},
                         {"keyLabel", Quoted(lesson::kSheetKeyLabel)},
                         {"answersHeading", Quoted(lesson::kSheetAnswersHeading)},
                         {"variants", page::Array(pages)}});
}

// The assignment of a sheet's choices, as its code; or what is wrong with the choices.
std::string AssignmentCodeOf(Page& /*page*/, const page::Request& request) {
    const std::optional<lesson::TeacherSheet> sheet = RequestedSheet(request);
    if (!sheet) {
        return Error(
            "assignmentCode names an unknown kind, or lacks kinds, perSheet, variants, first or "
            "a known alphabet");
    }
    return page::Object(
        {{"message", page::Quoted(sheet->message)},
         {"code",
          page::Quoted(sheet->message.empty() ? lesson::AssignmentCode(sheet->settings) : u"")}});
}

std::string StartAssignment(Page& page, const page::Request& request) {
    const std::optional<std::u16string> code = request.Text("code");
    const std::optional<std::u16string> variant = request.Text("variant");
    if (!code || !variant) {
        return Error("assignment needs a code and a variant");
    }
    page.exercises.StartAssignment(*code, *variant);
    return ExerciseState(page.exercises);
}

// An answer and key typed, kept with the exercise; nothing to show.
std::string Type(Page& page, const page::Request& request) {
    const std::optional<std::u16string> answer = request.Text("answer");
    const std::optional<std::u16string> key = request.Text("key");
    if (!answer || !key) {
        return Error("type needs an answer and a key");
    }
    page.exercises.Type(*answer, *key);
    return page::Object({});
}

// The work to write over what is stored, with what is stored merged in; whether what is
// stored could not be read, and is to be set aside before it is written over.
std::string Kept(Page& page, const page::Request& request) {
    const std::optional<std::u16string> stored = request.Text("stored");
    if (!stored) {
        return Error("keep needs the stored text");
    }
    const bool unreadable = !stored->empty() && page.exercises.Merge(*stored) ==
                                                    lesson::ExerciseSection::Merged::kUnreadable;
    return page::Object(
        {{"kept", page::Quoted(page.exercises.Kept())}, {"unreadable", page::Boolean(unreadable)}});
}

// What another tab kept, taken in: whether it had forgotten the work, and the exercises' state.
std::string Merge(Page& page, const page::Request& request) {
    const std::optional<std::u16string> stored = request.Text("stored");
    if (!stored) {
        return Error("merge needs the stored text");
    }
    const bool forgotten =
        page.exercises.Merge(*stored) == lesson::ExerciseSection::Merged::kForgotten;
    return page::Object(
        {{"forgotten", page::Boolean(forgotten)}, {"state", ExerciseState(page.exercises)}});
}

std::string Restore(Page& page, const page::Request& request) {
    const std::optional<std::u16string> kept = request.Text("kept");
    if (!kept) {
        return Error("restore needs the kept text");
    }
    page.exercises.Restore(*kept);
    return ExerciseState(page.exercises);
}

// The file to save, with its name, or what keeps the student from handing in.
std::string HandIn(Page& page, const page::Request& request) {
    const std::optional<std::u16string> name = request.Text("name");
    const std::optional<std::u16string> className = request.Text("className");
    const std::optional<std::u16string> number = request.Text("number");
    if (!name || !className || !number) {
        return Error("handIn needs a name, a className and a number");
    }
    const lesson::HandIn handIn = page.exercises.HandInWork({*name, *className, *number});
    return page::Object(
        {{"message", page::Quoted(handIn.message)},
         {"fileName", page::Quoted(handIn.fileName)},
         {"saved",
          page::Quoted(handIn.fileName.empty() ? u"" : lesson::HandedInSentence(handIn.fileName))},
         {"text", page::Quoted(handIn.text)}});
}

// A results file read, with its size in bytes and its text where it is within the cap: whether
// it is in the table, and the line said of it.
std::string AddResults(Page& page, const page::Request& request) {
    const std::optional<std::u16string> fileName = request.Text("fileName");
    const std::optional<std::int64_t> size = request.Integer("size");
    const std::optional<std::u16string> text = request.Text("text");
    if (!fileName || !size || !text) {
        return Error("addResults needs a fileName, a size and a text");
    }
    // A file the browser could not read comes with its reason, to be skipped with it.
    if (const std::optional<std::u16string> unread = request.Text("unread")) {
        page.results.AddUnread(*fileName, *unread);
    } else {
        page.results.Add(*fileName, *size, *text);
    }
    return page::Object({{"line", page::Quoted(page.results.Line())}});
}

// The class's table in its order: its caption, headers, a row of texts for each student with
// the name of its button that removes it, the row of those who solved each exercise, and what
// the last changes came to.
std::string ResultsState(Page& page) {
    using page::Quoted;
    const lesson::ClassResults& results = page.results;
    const auto quotedAll = [](const std::vector<std::u16string>& texts) {
        std::vector<std::string> quoted(texts.size());
        std::transform(texts.begin(), texts.end(), quoted.begin(),
                       [](const std::u16string& text) { return page::Quoted(text); });
        return page::Array(quoted);
    };
    std::vector<std::string> rows(results.Rows().size());
    std::transform(results.Rows().begin(), results.Rows().end(), rows.begin(),
                   [&quotedAll](const lesson::ResultRow& row) {
                       return quotedAll(lesson::ClassResults::Fields(row));
                   });
    std::vector<std::string> removeLabels(results.Rows().size());
    std::transform(results.Rows().begin(), results.Rows().end(), removeLabels.begin(),
                   [](const lesson::ResultRow& row) {
                       return Quoted(lesson::ClassResults::RemoveLabel(row));
                   });
    return page::Object({{"caption", Quoted(results.Caption())},
                         {"headers", quotedAll(results.Headers())},
                         {"sortedBy", page::Number(static_cast<std::int64_t>(results.SortedBy()))},
                         {"descending", page::Boolean(results.Descending(results.SortedBy()))},
                         {"rows", page::Array(rows)},
                         {"remove", Quoted(lesson::ClassResults::kRemove)},
                         {"removeLabels", page::Array(removeLabels)},
                         {"clearQuestion", Quoted(lesson::ClassResults::kClearQuestion)},
                         {"solvers", quotedAll(results.SolversFields())},
                         {"legend", Quoted(lesson::ClassResults::kLegend)},
                         {"summary", Quoted(page.results.Summary())}});
}

// The table sorted by the column asked for, or as it was sorted.
std::string Results(Page& page, const page::Request& request) {
    const std::optional<std::int64_t> column = request.Integer("sortBy");
    page.results.SortBy(!column       ? page.results.SortedBy()
                        : *column < 0 ? 0
                                      : static_cast<std::size_t>(*column));
    return ResultsState(page);
}

// A row of the table as last shown, by its place from 0.
std::string RemoveResult(Page& page, const page::Request& request) {
    const std::optional<std::int64_t> row = request.Integer("row");
    if (!row || *row < 0 || static_cast<std::uint64_t>(*row) >= page.results.Rows().size()) {
        return Error("removeResult needs one of the rows");
    }
    page.results.Remove(static_cast<std::size_t>(*row));
    return ResultsState(page);
}

std::string ClearResults(Page& page, const page::Request& /*request*/) {
    page.results.Clear();
    return ResultsState(page);
}

// In the order the table was last shown in.
// cppcheck-suppress constParameter
std::string ResultsCsv(Page& page, const page::Request& /*request*/) {
    return page::Object({{"csv", page::Quoted(page.results.Csv())},
                         {"fileName", page::Quoted(page.results.CsvFileName())}});
}

// The digits of the highest number a box takes: its length.
std::string DigitsOf(std::int32_t highest) {
    return page::Number(static_cast<std::int64_t>(cipher::DecimalText(highest).size()));
}

// The texts and limits the page is written with, so that it shows them at its first paint
// and can say why where the module cannot run.
std::string OpeningTexts(Page& /*page*/, const page::Request& /*request*/) {
    using page::Quoted;
    const lesson::Form opening;
    std::vector<std::string> kinds(std::size(lesson::kExerciseKinds));
    std::transform(std::begin(lesson::kExerciseKinds), std::end(lesson::kExerciseKinds),
                   kinds.begin(), [](const lesson::KindName& kind) {
                       return page::Object({{"name", Quoted(kind.name)},
                                            {"label", Quoted(kind.label)},
                                            {"onNewSheet", page::Boolean(kind.onNewSheet)}});
                   });
    std::vector<std::string> alphabets(lesson::Languages().size());
    std::transform(lesson::Languages().begin(), lesson::Languages().end(), alphabets.begin(),
                   [](const lesson::Language& language) {
                       return page::Object(
                           {{"name", Quoted(language.name)}, {"label", Quoted(language.choice)}});
                   });
    return page::Object(
        {{"caption", Quoted(lesson::kCaption)},
         {"phrase", Quoted(opening.Fields().phrase)},
         {"offset", Quoted(opening.Fields().offset)},
         {"log", Quoted(opening.ShownLog())},
         {"decodedHeading", Quoted(lesson::BreakSection::DecodedHeading())},
         {"likeliest", Quoted(lesson::BreakSection::kLikeliestMark)},
         {"likeliestLetter", Quoted(lesson::VigenereBreak::kLikeliestLetterMark)},
         {"cyrillicLetters", Quoted(cipher::CyrillicAlphabet().letters)},
         {"vigenereTextCap",
          page::Number(static_cast<std::int64_t>(lesson::VigenereSection::kTextCap))},
         {"keyWordCap",
          page::Number(static_cast<std::int64_t>(lesson::VigenereSection::kKeyWordCap))},
         {"answerCap", page::Number(static_cast<std::int64_t>(lesson::kAnswerCap))},
         {"exerciseDigits", DigitsOf(lesson::kLastExercise)},
         {"perSheetDigits", DigitsOf(lesson::kMostPerSheet)},
         {"variantsDigits", DigitsOf(lesson::kMostVariants)},
         {"assignmentCodeCap", page::Number(static_cast<std::int64_t>(lesson::kAssignmentCodeCap))},
         {"handedInCap", page::Number(static_cast<std::int64_t>(lesson::kHandedInCap))},
         {"nameCap", page::Number(static_cast<std::int64_t>(lesson::kNameCap))},
         {"classCap", page::Number(static_cast<std::int64_t>(lesson::kClassCap))},
         {"inClassDigits", DigitsOf(lesson::kMostInClass)},
         {"keptFormat", Quoted(lesson::kKeptFormat)},
         {"storageRefused", Quoted(lesson::kStorageRefused)},
         {"forgetQuestion", Quoted(lesson::kForgetQuestion)},
         {"enterVariant", Quoted(lesson::kEnterVariant)},
         {"kinds", page::Array(kinds)},
         {"alphabets", page::Array(alphabets)},
         {"moduleFailed", Quoted(lesson::kModuleFailed)},
         {"moduleDamaged", Quoted(lesson::kModuleDamaged)},
         {"oneClickLost", Quoted(lesson::kOneClickLost)},
         {"clicksLost", Quoted(lesson::kClicksLost)},
         {"tryAgain", Quoted(lesson::kTryAgain)},
         {"actionFailed", Quoted(lesson::kActionFailed)}});
}

// Calculate (0) or Clear (1) on the typed phrase and offset; an index past 16 bits is
// refused rather than wrapped onto a button.
std::string Click(Page& page, const page::Request& request) {
    const std::optional<std::int64_t> index = request.Integer("index");
    const std::optional<std::u16string> phrase = request.Text("phrase");
    const std::optional<std::u16string> offset = request.Text("offset");
    if (!index || !phrase || !offset) {
        return Error("click needs an index, a phrase and an offset");
    }
    if (*index < std::numeric_limits<std::int16_t>::min() ||
        *index > std::numeric_limits<std::int16_t>::max()) {
        return Error("the index is out of range");
    }
    page.form.Click(static_cast<std::int16_t>(*index), *phrase, *offset);
    return FormState(page.form);
}

std::string Break(Page& page, const page::Request& request) {
    const std::optional<std::u16string> text = request.Text("text");
    const cipher::Alphabet* alphabet = RequestedAlphabet(request);
    if (!text || alphabet == nullptr) {
        return Error("break needs a text and a known alphabet");
    }
    page.breaking.Break(*text, *alphabet);
    return BreakState(page.breaking);
}

std::string Cyrillic(Page& page, const page::Request& request) {
    const std::optional<std::u16string> phrase = request.Text("phrase");
    const std::optional<std::u16string> key = request.Text("key");
    if (!phrase || !key) {
        return Error("cyrillic needs a phrase and a key");
    }
    page.cyrillic.Calculate(*phrase, *key);
    return CyrillicState(page.cyrillic);
}

// Encrypts or decrypts, as the direction names.
std::string Vigenere(Page& page, const page::Request& request) {
    const std::optional<std::u16string> direction = request.Text("direction");
    const std::optional<std::u16string> text = request.Text("text");
    const std::optional<std::u16string> keyWord = request.Text("keyWord");
    const cipher::Alphabet* alphabet = RequestedAlphabet(request);
    if (!direction || (*direction != u"encrypt" && *direction != u"decrypt") || !text || !keyWord ||
        alphabet == nullptr) {
        return Error(
            "vigenere needs a direction (encrypt or decrypt), a text, a keyWord and a "
            "known alphabet");
    }
    page.vigenere.Calculate(
        *direction == u"encrypt" ? cipher::Direction::kEncrypt : cipher::Direction::kDecrypt, *text,
        *keyWord, *alphabet);
    return VigenereState(page.vigenere);
}

std::string VigenereBreak(Page& page, const page::Request& request) {
    const std::optional<std::u16string> text = request.Text("text");
    const cipher::Alphabet* alphabet = RequestedAlphabet(request);
    if (!text || alphabet == nullptr) {
        return Error("vigenereBreak needs a text and a known alphabet");
    }
    page.vigenereBreak.Break(*text, *alphabet);
    return VigenereBreakState(page.vigenereBreak);
}

// A whole number of the request within the bounds, or nothing.
std::optional<std::int32_t> Within(const page::Request& request, std::string_view name,
                                   std::int64_t lowest, std::int64_t highest) {
    const std::optional<std::int64_t> number = request.Integer(name);
    if (!number || *number < lowest || *number > highest) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

std::string VigenereLength(Page& page, const page::Request& request) {
    const std::optional<std::int32_t> length =
        Within(request, "length", 1, page.vigenereBreak.Broken() ? cipher::kLongestKeyWord : 0);
    if (!length) {
        return Error("vigenereLength needs a length of key for a broken text");
    }
    page.vigenereBreak.ChooseLength(*length);
    return VigenereBreakState(page.vigenereBreak);
}

std::string VigenereLetter(Page& page, const page::Request& request) {
    const lesson::VigenereBreak& section = page.vigenereBreak;
    const std::optional<std::int32_t> column = Within(request, "column", 0, section.Length() - 1);
    const std::optional<std::u16string> letter = request.Text("letter");
    if (!column || !letter || letter->size() != 1 ||
        section.Letters().PlaceOf(letter->front()) == std::u16string_view::npos) {
        return Error("vigenereLetter needs one of the columns and one of the alphabet's letters");
    }
    page.vigenereBreak.ChooseLetter(*column, letter->front());
    return VigenereBreakState(page.vigenereBreak);
}

std::string VigenereColumn(Page& page, const page::Request& request) {
    const std::optional<std::int32_t> column =
        Within(request, "column", 0, page.vigenereBreak.Length() - 1);
    if (!column) {
        return Error("vigenereColumn needs one of the columns");
    }
    page.vigenereBreak.ShowColumn(*column);
    return VigenereBreakState(page.vigenereBreak);
}

std::string Choose(Page& page, const page::Request& request) {
    const std::optional<std::int64_t> row = request.Integer("row");
    if (!row || *row < 0 || static_cast<std::uint64_t>(*row) >= page.breaking.Rows()) {
        return Error("choose needs one of the rows");
    }
    page.breaking.Choose(static_cast<std::size_t>(*row));
    return BreakState(page.breaking);
}

// An exercise section's step that takes no arguments, answered with the section's state.
template <void (lesson::ExerciseSection::*Step)()>
std::string ExerciseStep(Page& page, const page::Request& /*request*/) {
    (page.exercises.*Step)();
    return ExerciseState(page.exercises);
}

// These two change nothing, but a handler of the table takes the page to change.
// cppcheck-suppress constParameter
std::string ShownExercise(Page& page, const page::Request& /*request*/) {
    return ExerciseState(page.exercises);
}

// cppcheck-suppress constParameter
std::string ShownForm(Page& page, const page::Request& /*request*/) { return FormState(page.form); }

// An action: its name, the members its request may carry besides the action's name, and
// what it does. A new action is one row here and its handler.
// cppcheck does not see the members read through the table's search.
struct Action {
    std::string_view name;
    // cppcheck-suppress unusedStructMember
    std::array<std::string_view, 5> fields;
    // cppcheck-suppress unusedStructMember
    std::string (*handle)(Page& page, const page::Request& request);
};

constexpr Action kActions[] = {
    {"click", {"index", "phrase", "offset"}, Click},
    {"form", {}, ShownForm},
    {"cyrillic", {"phrase", "key"}, Cyrillic},
    {"break", {"text", "alphabet"}, Break},
    {"choose", {"row"}, Choose},
    {"vigenere", {"direction", "text", "keyWord", "alphabet"}, Vigenere},
    {"vigenereBreak", {"text", "alphabet"}, VigenereBreak},
    {"vigenereLength", {"length"}, VigenereLength},
    {"vigenereLetter", {"column", "letter"}, VigenereLetter},
    {"vigenereColumn", {"column"}, VigenereColumn},
    {"exercise", {"kind", "number", "alphabet"}, OpenExercise},
    {"nextExercise", {}, ExerciseStep<&lesson::ExerciseSection::OpenNext>},
    {"checkAnswer", {"answer", "key"}, CheckAnswer},
    {"hint", {}, ExerciseStep<&lesson::ExerciseSection::Hint>},
    {"reveal", {}, ExerciseStep<&lesson::ExerciseSection::Reveal>},
    {"showExercise", {}, ShownExercise},
    {"sheet", {"kinds", "perSheet", "variants", "first", "alphabet"}, Sheet},
    {"assignmentCode", {"kinds", "perSheet", "variants", "first", "alphabet"}, AssignmentCodeOf},
    {"assignment", {"code", "variant"}, StartAssignment},
    {"nextAssigned", {}, ExerciseStep<&lesson::ExerciseSection::NextAssigned>},
    {"type", {"answer", "key"}, Type},
    {"keep", {"stored"}, Kept},
    {"merge", {"stored"}, Merge},
    {"restore", {"kept"}, Restore},
    {"forget", {}, ExerciseStep<&lesson::ExerciseSection::Forget>},
    {"handIn", {"name", "className", "number"}, HandIn},
    {"addResults", {"fileName", "size", "text", "unread"}, AddResults},
    {"results", {"sortBy"}, Results},
    {"removeResult", {"row"}, RemoveResult},
    {"clearResults", {}, ClearResults},
    {"resultsCsv", {}, ResultsCsv},
    {"openingTexts", {}, OpeningTexts},
};

std::string Respond(Page& page, std::string_view json) {
    const std::optional<page::Request> request = page::Request::Read(json);
    if (!request) {
        return Error("the request is not a flat JSON object");
    }
    const std::u16string name = request->Text("action").value_or(u"");
    const auto* action =
        std::find_if(std::begin(kActions), std::end(kActions), [&name](const Action& a) {
            return std::equal(name.begin(), name.end(), a.name.begin(), a.name.end());
        });
    if (action == std::end(kActions)) {
        return Error("no such action");
    }
    // A member the action does not know is a mistake of the page's, never to be dropped. Any
    // request may carry the moment it is made, for the work it changes.
    for (const std::string_view member : request->Names()) {
        const bool known =
            member == "action" || member == "now" ||
            (!member.empty() && std::find(action->fields.begin(), action->fields.end(), member) !=
                                    action->fields.end());
        if (!known) {
            return Error(std::string(action->name) + " takes no field " + std::string(member));
        }
    }
    const std::vector<std::string_view> names = request->Names();
    if (std::find(names.begin(), names.end(), "now") != names.end()) {
        const std::optional<std::int64_t> now = request->Integer("now");
        if (!now) {
            return Error("now is a whole number of milliseconds");
        }
        page.exercises.SetTime(*now);
        page.results.SetTime(*now);
    }
    return action->handle(page, *request);
}

}  // namespace

extern "C" {

char* lesson_request(std::int32_t length) {
    if (length < 0 || length > kRequestCap) {
        return nullptr;
    }
    std::string& request = ThePage().request;
    request.assign(static_cast<std::size_t>(length), '\0');
    return request.data();
}

std::int32_t lesson_call() {
    Page& page = ThePage();
    page.response = Respond(page, page.request);
    return static_cast<std::int32_t>(page.response.size());
}

const char* lesson_response() { return ThePage().response.c_str(); }

}  // extern "C"
