// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/class_work.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lesson/classroom/assignment.h"
#include "lesson/classroom/student_names.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"

namespace lesson {

namespace {

constexpr std::u16string_view kKeptLine = u"Шифърът на Цезар — работата на това устройство";
constexpr std::u16string_view kHandedInLine = u"Шифърът на Цезар — предадена работа";
// The longest line: an answer at its cap after its name.
constexpr std::size_t kLineCap = kAnswerCap + 20;

// "encrypt latin 4711": an exercise as the kept text names it.
std::u16string ExerciseName(ExerciseKind kind, const Language& language, std::int32_t number) {
    return Joined({NameOf(kind).name, u" ", language.name, u" ", Decimal(number)});
}

// The lines of a work that a file handed in has too.
void WriteWork(RecordBlock& block, const ExerciseWork& work) {
    block.Add(u"Отговор", work.answer);
    block.Add(u"Ключ", work.key);
    block.Add(u"Подсказки", Decimal(work.hints));
    block.AddYes(u"Показан отговор", work.shown);
    block.Add(u"Отворено", work.opened);
    block.Add(u"Проверено", work.checked);
}

void ReadWork(FieldReader& fields, ExerciseWork& work) {
    work.answer = fields.Text(u"Отговор", kAnswerCap).value_or(u"");
    work.key = fields.Text(u"Ключ", static_cast<std::size_t>(kOffsetCap)).value_or(u"");
    work.hints = fields.Number(u"Подсказки", 0, 3).value_or(0);
    work.shown = fields.Yes(u"Показан отговор");
    work.opened = fields.Moment(u"Отворено");
    work.checked = fields.Moment(u"Проверено");
}

// The assignment's lines, which both texts have; the kept work has the place in it too.
void WriteAssignment(RecordBlock& head, const Assignment& assignment, bool kept) {
    head.Add(u"Задание", assignment.code);
    head.Add(u"Вариант", Decimal(assignment.variant));
    if (kept) {
        head.Add(u"Място в заданието", Decimal(assignment.place + 1));
    }
}

std::optional<Assignment> ReadAssignment(FieldReader& head, bool kept) {
    const CodeReading code = ReadAssignmentCode(head.Text(u"Задание").value_or(u""));
    if (!code.settings) {
        head.Fail(u"кодът на заданието в него не е верен");
    }
    const std::optional<std::int32_t> variant = head.Number(u"Вариант", 1, kMostVariants);
    const std::optional<std::int32_t> place =
        !kept           ? 1
        : code.settings ? head.Number(u"Място в заданието", 1, code.settings->perSheet)
                        : std::nullopt;
    if (!code.settings || !variant || !place) {
        return std::nullopt;
    }
    return Assignment{AssignmentCode(*code.settings), *code.settings, *variant,
                      static_cast<std::size_t>(*place - 1)};
}

// The exercise a kept text names: "encrypt latin 4711".
struct NamedWork {
    std::optional<ExerciseWork> work;
    bool unknown = false;  // a kind or alphabet that a later version of the program may know
};
NamedWork NamedExercise(std::u16string_view name) {
    const std::size_t first = name.find(u' ');
    const std::size_t second = name.find(u' ', first == std::u16string_view::npos ? 0 : first + 1);
    if (second == std::u16string_view::npos) {
        return {};
    }
    const KindName* kind = KindNamed(name.substr(0, first));
    const Language* language = LanguageNamed(name.substr(first + 1, second - first - 1));
    const std::optional<std::int32_t> number =
        NumberFrom(name.substr(second + 1), kFirstExercise, kLastExercise);
    if (kind == nullptr || language == nullptr || !number) {
        return {std::nullopt, number.has_value()};
    }
    ExerciseWork work;
    work.kind = kind->kind;
    work.language = language;
    work.number = *number;
    return {work, false};
}

// The work a kept block holds, or nothing where a line of it does not read.
std::optional<ExerciseWork> KeptWork(const RecordBlock& block, ExerciseWork work) {
    FieldReader fields(block);
    ReadWork(fields, work);
    work.tried = fields.Yes(u"Опитано");
    work.solved = fields.Yes(u"Решено");
    work.checkStands = fields.Yes(u"Проверен отговорът");
    // Work kept before each exercise had its own time is older than any that has one.
    work.changed = fields.Milliseconds(u"Изменено").value_or(0);
    return fields.Fault().empty() ? std::optional(work) : std::nullopt;
}

// Of two works on one exercise, the later stays.
void TakeLater(std::vector<ExerciseWork>& works, const ExerciseWork& work) {
    const auto same = std::find_if(works.begin(), works.end(), [&work](const ExerciseWork& other) {
        return other.OfSameExercise(work);
    });
    if (same == works.end()) {
        works.push_back(work);
    } else if (work.changed > same->changed) {
        *same = work;
    }
}

// Past the most kept, the earliest blocks set aside go.
void KeepLatest(std::vector<std::vector<std::u16string>>& setAside) {
    if (setAside.size() > kMostWorks) {
        setAside.erase(setAside.begin(), setAside.end() - static_cast<std::ptrdiff_t>(kMostWorks));
    }
}

// Letters and digits, blanks and hyphens of a text, anything else as "_": a file name that
// every system takes.
std::u16string FileNamePart(std::u16string_view text) {
    std::u16string part;
    for (const char16_t c : text) {
        const bool kept = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'a' && c <= u'z') || (c >= 0x0400 && c <= 0x04ff) || c == u' ' ||
                          c == u'-';
        part += kept ? c : u'_';
    }
    return part;
}

// The student with the name's and class's blanks trimmed and each run of them made one.
Student Tidied(const Student& student) {
    return {TidiedName(student.name), TidiedName(student.className), TidiedName(student.number)};
}

// What keeps these from naming a student in a file, or empty; the name and class tidied first.
std::u16string StudentFault(const Student& student) {
    const Student tidied = Tidied(student);
    const struct {
        std::u16string_view field, missing;
        const std::u16string& text;
        std::size_t cap;
        bool needsLetter;
    } named[] = {{u"Името", u"Въведете името си.", tidied.name, kNameCap, true},
                 {u"Класът", u"Въведете класа си.", tidied.className, kClassCap, false}};
    for (const auto& n : named) {
        if (n.text.empty()) {
            return std::u16string(n.missing);
        }
        if (n.text.size() > n.cap) {
            return Joined({n.field, u" е до ", Decimal(n.cap), u" знака."});
        }
        if (std::u16string fault = NameFault(n.field, n.text, n.needsLetter); !fault.empty()) {
            return fault;
        }
    }
    const auto markup = [](const std::u16string& text) {
        return text.find_first_of(u"<>") != std::u16string::npos;
    };
    if (markup(tidied.name) || markup(tidied.className)) {
        return u"Името и класът не могат да съдържат знаците < и >.";
    }
    if (!NumberFrom(tidied.number, 1, kMostInClass)) {
        return WholeNumberNote(u"Номерът в класа", kMostInClass);
    }
    return {};
}

}  // namespace

std::u16string ExerciseWork::Name() const { return ExerciseName(kind, *language, number); }

ExerciseWork WorkOn(const Exercise& exercise) {
    ExerciseWork work;
    work.kind = exercise.kind;
    work.language = &LanguageOf(*exercise.alphabet);
    work.number = exercise.number;
    return work;
}

std::u16string KeptText(const Progress& progress) {
    Record record;
    record.head.Add(u"Име", progress.student.name);
    record.head.Add(u"Клас", progress.student.className);
    record.head.Add(u"Номер в класа", progress.student.number);
    if (progress.assignment) {
        WriteAssignment(record.head, *progress.assignment, true);
    }
    record.head.Add(u"Отворено упражнение",
                    ExerciseName(progress.kind, *progress.language, progress.number));
    if (progress.cleared != 0) {
        record.head.Add(u"Изчистено", Decimal(progress.cleared));
    }
    for (const ExerciseWork& work : progress.works) {
        RecordBlock& block = record.blocks.emplace_back();
        block.title = work.Name();
        WriteWork(block, work);
        block.AddYes(u"Опитано", work.tried);
        block.AddYes(u"Решено", work.solved);
        block.AddYes(u"Проверен отговорът", work.checkStands);
        if (work.changed != 0) {
            block.Add(u"Изменено", Decimal(work.changed));
        }
    }
    record.verbatim = progress.setAside;
    return WrittenRecord(kKeptLine, record);
}

KeptReading ReadKept(std::u16string_view text) {
    const std::optional<LooseRecord> record =
        text.size() <= kKeptCap ? ReadLooseRecord(text, kKeptLine, kLineCap) : std::nullopt;
    KeptReading reading;
    if (!record) {
        return reading;
    }
    FieldReader head(record->head);
    Progress& progress = reading.progress.emplace();
    // As typed, refused or not: the boxes' own caps keep them short.
    progress.student = {head.Optional(u"Име"), head.Optional(u"Клас"),
                        head.Optional(u"Номер в класа")};
    if (head.Has(u"Задание") || head.Has(u"Вариант") || head.Has(u"Място в заданието")) {
        progress.assignment = ReadAssignment(head, true);
    }
    const std::optional<ExerciseWork> open =
        NamedExercise(head.Optional(u"Отворено упражнение")).work;
    if (open) {
        progress.kind = open->kind;
        progress.language = open->language;
        progress.number = open->number;
    }
    progress.cleared = head.Milliseconds(u"Изчистено").value_or(0);
    reading.headDamaged = record->headDamaged || !open || !head.Fault().empty();
    for (const LooseBlock& block : record->blocks) {
        const NamedWork named = block.block ? NamedExercise(block.block->title) : NamedWork{};
        std::optional<ExerciseWork> work;
        if (named.work) {
            work = KeptWork(*block.block, *named.work);
        }
        if (work) {
            // As when tabs' works are merged.
            TakeLater(progress.works, *work);
            continue;
        }
        ++(named.unknown ? reading.unknown : reading.damaged);
        progress.setAside.push_back(block.lines);
    }
    KeepLatest(progress.setAside);
    return reading;
}

bool Merge(Progress& into, Progress other, const ExerciseWork& open) {
    const auto forget = [](Progress& progress) {
        progress.student = {};
        progress.assignment.reset();
        progress.setAside.clear();
    };
    const bool forgotten = other.cleared > into.cleared;
    if (forgotten) {
        forget(into);
        into.cleared = other.cleared;
        std::erase_if(into.works,
                      [&into](const ExerciseWork& work) { return work.changed < into.cleared; });
    } else if (other.cleared < into.cleared) {
        // Kept before this tab forgot the work: the student, the assignment and what was set
        // aside are forgotten too.
        forget(other);
    }
    if (into.student == Student{}) {
        into.student = other.student;
    }
    if (!into.assignment) {
        into.assignment = other.assignment;
    }
    for (const ExerciseWork& work : other.works) {
        const auto mine =
            std::find_if(into.works.begin(), into.works.end(),
                         [&work](const ExerciseWork& w) { return w.OfSameExercise(work); });
        const bool taken = mine == into.works.end() ? work.Begun() : !mine->OfSameExercise(open);
        if (work.changed >= into.cleared && taken) {
            TakeLater(into.works, work);
        }
    }
    for (std::vector<std::u16string>& lines : other.setAside) {
        if (std::find(into.setAside.begin(), into.setAside.end(), lines) == into.setAside.end()) {
            into.setAside.push_back(std::move(lines));
        }
    }
    KeepLatest(into.setAside);
    return forgotten;
}

std::u16string SetAsideNote(const KeptReading& reading) {
    std::u16string head =
        reading.headDamaged
            ? u"Повреден ред в началото на запазената работа не е зареден: проверете името, "
              u"класа и заданието."
            : u"";
    if (reading.damaged + reading.unknown == 0) {
        return head;
    }
    const auto exercises = [](std::size_t n) {
        return Decimal(n) + (n == 1 ? u" упражнение" : u" упражнения");
    };
    std::u16string why;
    if (reading.unknown > 0) {
        why = exercises(reading.unknown) + u" от по-нова версия на програмата";
    }
    if (reading.damaged > 0) {
        why += (why.empty() ? u"" : u" и ") + exercises(reading.damaged) +
               (reading.damaged == 1 ? u" с повреден ред" : u" с повредени редове");
    }
    return Joined({head, head.empty() ? u"" : u" ", u"Не са заредени ", why,
                   u". Те се пазят на това устройство непроменени; останалата работа е заредена."});
}

HandIn HandInWork(const Student& student, const Assignment& assignment,
                  const std::vector<ExerciseWork>& works, std::u16string_view now) {
    const std::u16string fault = StudentFault(student);
    if (!fault.empty()) {
        return {fault, {}, {}, {}};
    }
    const Student tidied = Tidied(student);
    const std::u16string number = Decimal(*NumberFrom(tidied.number, 1, kMostInClass));
    Record record;
    WriteAssignment(record.head, assignment, false);
    record.head.Add(u"Клас", tidied.className);
    record.head.Add(u"Номер в класа", number);
    record.head.Add(u"Име", tidied.name);
    record.head.Add(u"Предадено", now);
    for (std::size_t place = 0; place < works.size(); ++place) {
        const ExerciseWork& work = works[place];
        RecordBlock& block = record.blocks.emplace_back();
        block.title = Decimal(place + 1) + u": " + std::u16string(NameOf(work.kind).label) +
                      u", № " + Decimal(work.number);
        WriteWork(block, work);
    }
    std::u16string fileName = FileNamePart(tidied.className) + u'-' +
                              (number.size() == 1 ? u"0" : u"") + number + u'-' +
                              FileNamePart(tidied.name) + u".txt";
    std::u16string saved = u"Работата е запазена във файла „" + fileName +
                           u"“ в папката за изтеглени файлове. Предайте го на учителя.";
    return {{}, std::move(fileName), WrittenRecord(kHandedInLine, record), std::move(saved)};
}

HandedInReading ReadHandedIn(std::u16string_view text) {
    const RecordReading reading = ReadRecord(text, kHandedInLine, kMostPerSheet, kLineCap);
    if (!reading.record) {
        return {std::nullopt, reading.fault};
    }
    FieldReader head(reading.record->head);
    const std::optional<Assignment> assignment = ReadAssignment(head, false);
    HandedIn handedIn;
    handedIn.student.className = head.Text(u"Клас").value_or(u"");
    handedIn.student.number = head.Text(u"Номер в класа").value_or(u"");
    handedIn.student.name = head.Text(u"Име").value_or(u"");
    handedIn.handedAt = head.Moment(u"Предадено");
    if (!head.Fault().empty()) {
        return {std::nullopt, head.Fault()};
    }
    handedIn.student = Tidied(handedIn.student);
    const std::u16string student = StudentFault(handedIn.student);
    if (!student.empty()) {
        return {std::nullopt, u"ученикът не е назован както трябва: " + student};
    }
    handedIn.number = *NumberFrom(handedIn.student.number, 1, kMostInClass);
    handedIn.code = assignment->code;
    handedIn.settings = assignment->settings;
    handedIn.variant = assignment->variant;
    const std::vector<RecordBlock>& blocks = reading.record->blocks;
    const auto expected = static_cast<std::size_t>(handedIn.settings.perSheet);
    if (blocks.size() != expected) {
        return {std::nullopt, u"в него има " + Decimal(blocks.size()) +
                                  u" упражнения, а в заданието — " + Decimal(expected)};
    }
    for (std::size_t place = 0; place < blocks.size(); ++place) {
        const std::u16string number = Decimal(place + 1);
        FieldReader fields(blocks[place]);
        if (!blocks[place].title.starts_with(number + u":")) {
            fields.Fail(u"упражненията не са подредени от 1 до " + Decimal(expected));
        }
        const SheetPlace onSheet =
            PlaceOnSheet(handedIn.settings, handedIn.variant, static_cast<std::int32_t>(place));
        ExerciseWork work;
        work.kind = onSheet.kind;
        work.language = handedIn.settings.language;
        work.number = onSheet.number;
        ReadWork(fields, work);
        if (!fields.Fault().empty()) {
            return {std::nullopt, u"в упражнение " + number + u": " + fields.Fault()};
        }
        handedIn.works.push_back(std::move(work));
    }
    return {std::move(handedIn), {}};
}

}  // namespace lesson
