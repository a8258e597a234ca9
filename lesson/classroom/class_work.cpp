// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/class_work.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/decimal_text.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/student_names.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"

namespace lesson {

namespace {

constexpr std::u16string_view kKeptLine = u"Шифърът на Цезар — работата на това устройство";
constexpr std::u16string_view kHandedInLine = u"Шифърът на Цезар — предадена работа";
constexpr std::u16string_view kFormat = kKeptFormat;
// The longest line: an answer at its cap after its name.
constexpr std::size_t kLineCap = kAnswerCap + 20;

std::u16string Decimal(std::int64_t number) { return cipher::DecimalText(number); }

std::u16string_view YesNo(bool yes) { return yes ? u"да" : u"не"; }

// "encrypt latin 4711": an exercise as the kept text names it.
std::u16string ExerciseName(ExerciseKind kind, const Language& language, std::int32_t number) {
    return std::u16string(NameOf(kind).name) + u' ' + std::u16string(language.name) + u' ' +
           Decimal(number);
}

// Reads a block's lines one at a time; the first that is missing or wrong is the fault, and
// every read after it gives nothing.
class FieldReader {
public:
    explicit FieldReader(const RecordBlock& block) : m_block(block) {}

    std::optional<std::u16string> Text(std::u16string_view name, std::size_t cap) {
        const std::u16string* value = m_fault.empty() ? m_block.Field(name) : nullptr;
        if (value == nullptr) {
            Fail(u"липсва редът „" + std::u16string(name) + u"“");
            return std::nullopt;
        }
        if (value->size() > cap) {
            Fail(u"редът „" + std::u16string(name) + u"“ е по-дълъг от " +
                 Decimal(static_cast<std::int64_t>(cap)) + u" знака");
            return std::nullopt;
        }
        return *value;
    }

    std::optional<std::int32_t> Number(std::u16string_view name, std::int32_t lowest,
                                       std::int32_t highest) {
        const std::optional<std::u16string> text = Text(name, kLineCap);
        const std::optional<std::int32_t> number =
            text ? NumberFrom(*text, lowest, highest) : std::nullopt;
        if (text && !number) {
            Fail(u"„" + std::u16string(name) + u": " + *text + u"“ е извън " + Decimal(lowest) +
                 u"–" + Decimal(highest));
        }
        return number;
    }

    bool Yes(std::u16string_view name) {
        const std::optional<std::u16string> text = Text(name, kLineCap);
        if (text && *text != YesNo(true) && *text != YesNo(false)) {
            std::u16string fault(u"„");
            fault += name;
            Fail(fault + u"“ не е „да“ или „не“");
        }
        return text == YesNo(true);
    }

    std::u16string Moment(std::u16string_view name) {
        std::optional<std::u16string> text = Text(name, kLineCap);
        if (text && !text->empty() && !IsMomentText(*text)) {
            Fail(u"„" + std::u16string(name) + u"“ не е момент от вида 2026-12-10T08:03:10Z");
        }
        return text.value_or(u"");
    }

    void Fail(std::u16string fault) {
        if (m_fault.empty()) {
            m_fault = std::move(fault);
        }
    }
    const std::u16string& Fault() const { return m_fault; }

private:
    const RecordBlock& m_block;
    std::u16string m_fault;
};

// The lines of a work that a file handed in has too.
void WriteWork(RecordBlock& block, const ExerciseWork& work) {
    block.Add(u"Отговор", work.answer);
    block.Add(u"Ключ", work.key);
    block.Add(u"Подсказки", Decimal(work.hints));
    block.Add(u"Показан отговор", YesNo(work.shown));
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

// Milliseconds since 1970 as the kept text writes them, or nothing.
std::optional<std::int64_t> MillisecondsFrom(std::u16string_view text) {
    constexpr std::size_t kMostDigits = 15;
    if (text.empty() || text.size() > kMostDigits ||
        text.find_first_not_of(u"0123456789") != std::u16string_view::npos) {
        return std::nullopt;
    }
    return std::accumulate(
        text.begin(), text.end(), std::int64_t{0},
        [](std::int64_t number, char16_t digit) { return number * 10 + (digit - u'0'); });
}

// The assignment a kept head names, or nothing where any of its lines does not read.
std::optional<Assignment> KeptAssignment(const RecordBlock& head) {
    const std::u16string* code = head.Field(u"Задание");
    const std::u16string* variant = head.Field(u"Вариант");
    const std::u16string* place = head.Field(u"Място в заданието");
    if (code == nullptr || variant == nullptr || place == nullptr) {
        return std::nullopt;
    }
    const CodeReading reading = ReadAssignmentCode(*code);
    const std::optional<std::int32_t> number = NumberFrom(*variant, 1, kMostVariants);
    const std::optional<std::int32_t> at =
        reading.settings ? NumberFrom(*place, 1, reading.settings->perSheet) : std::nullopt;
    if (!number || !at) {
        return std::nullopt;
    }
    return Assignment{AssignmentCode(*reading.settings), *reading.settings, *number,
                      static_cast<std::size_t>(*at - 1)};
}

// The work a kept block holds, or nothing where a line of it does not read.
std::optional<ExerciseWork> KeptWork(const RecordBlock& block, ExerciseWork work) {
    FieldReader fields(block);
    ReadWork(fields, work);
    work.tried = fields.Yes(u"Опитано");
    work.solved = fields.Yes(u"Решено");
    work.checkStands = fields.Yes(u"Проверен отговорът");
    // Work kept before each exercise had its own time is older than any that has one.
    if (const std::u16string* changed = block.Field(u"Изменено")) {
        const std::optional<std::int64_t> milliseconds = MillisecondsFrom(*changed);
        if (!milliseconds) {
            return std::nullopt;
        }
        work.changed = *milliseconds;
    }
    if (!fields.Fault().empty()) {
        return std::nullopt;
    }
    return work;
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

}  // namespace

Student Tidied(const Student& student) {
    return {TidiedName(student.name), TidiedName(student.className), TidiedName(student.number)};
}

std::u16string StudentFault(const Student& student) {
    const Student tidied = Tidied(student);
    if (tidied.name.empty()) {
        return u"Въведете името си.";
    }
    if (tidied.name.size() > kNameCap) {
        return u"Името е до " + Decimal(kNameCap) + u" знака.";
    }
    if (std::u16string fault = NameFault(u"Името", tidied.name); !fault.empty()) {
        return fault;
    }
    if (tidied.className.empty()) {
        return u"Въведете класа си.";
    }
    if (tidied.className.size() > kClassCap) {
        return u"Класът е до " + Decimal(kClassCap) + u" знака.";
    }
    if (std::u16string fault = NameFault(u"Класът", tidied.className, false); !fault.empty()) {
        return fault;
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

ExerciseWork WorkOn(const Exercise& exercise) {
    ExerciseWork work;
    work.kind = exercise.kind;
    work.language = &LanguageOf(*exercise.alphabet);
    work.number = exercise.number;
    return work;
}

std::u16string KeptText(const Progress& progress) {
    Record record;
    record.head.Add(u"Формат", kFormat);
    record.head.Add(u"Име", progress.student.name);
    record.head.Add(u"Клас", progress.student.className);
    record.head.Add(u"Номер в класа", progress.student.number);
    if (progress.assignment) {
        record.head.Add(u"Задание", progress.assignment->code);
        record.head.Add(u"Вариант", Decimal(progress.assignment->variant));
        record.head.Add(u"Място в заданието",
                        Decimal(static_cast<std::int64_t>(progress.assignment->place) + 1));
    }
    record.head.Add(u"Отворено упражнение",
                    ExerciseName(progress.kind, *progress.language, progress.number));
    if (progress.cleared != 0) {
        record.head.Add(u"Изчистено", Decimal(progress.cleared));
    }
    for (const ExerciseWork& work : progress.works) {
        RecordBlock& block = record.blocks.emplace_back();
        block.title = ExerciseName(work.kind, *work.language, work.number);
        WriteWork(block, work);
        block.Add(u"Опитано", YesNo(work.tried));
        block.Add(u"Решено", YesNo(work.solved));
        block.Add(u"Проверен отговорът", YesNo(work.checkStands));
        if (work.changed != 0) {
            block.Add(u"Изменено", Decimal(work.changed));
        }
    }
    record.verbatim = progress.setAside;
    return WrittenRecord(kKeptLine, record);
}

KeptReading ReadKept(std::u16string_view text) {
    const std::optional<LooseRecord> record = ReadLooseRecord(text, kKeptLine, kLineCap);
    const std::u16string* format = record ? record->head.Field(u"Формат") : nullptr;
    KeptReading reading;
    if (format == nullptr || *format != kFormat) {
        return reading;
    }
    const RecordBlock& head = record->head;
    const auto field = [&head](std::u16string_view name) {
        const std::u16string* value = head.Field(name);
        return value != nullptr ? *value : std::u16string();
    };
    Progress& progress = reading.progress.emplace();
    // As typed, refused or not: the boxes' own caps keep them short.
    progress.student = {field(u"Име"), field(u"Клас"), field(u"Номер в класа")};
    progress.assignment = KeptAssignment(head);
    const std::optional<ExerciseWork> open = NamedExercise(field(u"Отворено упражнение")).work;
    if (open) {
        progress.kind = open->kind;
        progress.language = open->language;
        progress.number = open->number;
    }
    const std::optional<std::int64_t> cleared = MillisecondsFrom(field(u"Изчистено"));
    progress.cleared = cleared.value_or(0);
    const bool assigned = head.Field(u"Задание") != nullptr || head.Field(u"Вариант") != nullptr ||
                          head.Field(u"Място в заданието") != nullptr;
    reading.headDamaged = record->headDamaged || !open || (assigned && !progress.assignment) ||
                          (head.Field(u"Изчистено") != nullptr && !cleared);
    for (const LooseBlock& block : record->blocks) {
        const NamedWork named = block.block ? NamedExercise(block.block->title) : NamedWork{};
        const std::optional<ExerciseWork> work =
            named.work ? KeptWork(*block.block, *named.work) : std::nullopt;
        if (work) {
            // Of two works on one exercise, the later stays, as when tabs' works are merged.
            const auto same = std::find_if(
                progress.works.begin(), progress.works.end(),
                [&work](const ExerciseWork& other) { return other.OfSameExercise(*work); });
            if (same == progress.works.end()) {
                progress.works.push_back(*work);
            } else if (work->changed > same->changed) {
                *same = *work;
            }
            continue;
        }
        ++(named.unknown ? reading.unknown : reading.damaged);
        progress.setAside.push_back(block.lines);
    }
    if (progress.setAside.size() > kMostWorks) {
        progress.setAside.erase(progress.setAside.begin(),
                                progress.setAside.end() - static_cast<std::ptrdiff_t>(kMostWorks));
    }
    return reading;
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
        return Decimal(static_cast<std::int64_t>(n)) + (n == 1 ? u" упражнение" : u" упражнения");
    };
    std::u16string why;
    if (reading.unknown > 0) {
        why = exercises(reading.unknown) + u" от по-нова версия на програмата";
    }
    if (reading.damaged > 0) {
        why += (why.empty() ? u"" : u" и ") + exercises(reading.damaged) +
               (reading.damaged == 1 ? u" с повреден ред" : u" с повредени редове");
    }
    return (head.empty() ? u"" : head + u' ') + u"Не са заредени " + why +
           u". Те се пазят на това устройство непроменени; останалата работа е заредена.";
}

std::u16string HandedInSentence(std::u16string_view fileName) {
    return u"Работата е запазена във файла „" + std::u16string(fileName) +
           u"“ в папката за изтеглени файлове. Предайте го на учителя.";
}

HandIn HandInWork(const Student& student, const Assignment& assignment,
                  const std::vector<ExerciseWork>& works, std::u16string_view now) {
    const std::u16string fault = StudentFault(student);
    const Student tidied = Tidied(student);
    if (!fault.empty()) {
        return {fault, {}, {}};
    }
    Record record;
    record.head.Add(u"Формат", kFormat);
    record.head.Add(u"Задание", assignment.code);
    record.head.Add(u"Вариант", Decimal(assignment.variant));
    record.head.Add(u"Клас", tidied.className);
    record.head.Add(u"Номер в класа", Decimal(*NumberFrom(tidied.number, 1, kMostInClass)));
    record.head.Add(u"Име", tidied.name);
    record.head.Add(u"Предадено", now);
    for (std::size_t place = 0; place < works.size(); ++place) {
        const ExerciseWork& work = works[place];
        RecordBlock& block = record.blocks.emplace_back();
        block.title = Decimal(static_cast<std::int64_t>(place) + 1) + u": " +
                      std::u16string(NameOf(work.kind).label) + u", № " + Decimal(work.number);
        WriteWork(block, work);
    }
    const std::u16string number = Decimal(*NumberFrom(tidied.number, 1, kMostInClass));
    return {{},
            FileNamePart(tidied.className) + u'-' + (number.size() == 1 ? u"0" : u"") + number +
                u'-' + FileNamePart(tidied.name) + u".txt",
            WrittenRecord(kHandedInLine, record)};
}

HandedInReading ReadHandedIn(std::u16string_view text) {
    const RecordReading reading = ReadRecord(text, kHandedInLine, kMostPerSheet, kLineCap);
    if (!reading.record) {
        return {std::nullopt, reading.fault};
    }
    FieldReader head(reading.record->head);
    const std::optional<std::u16string> format = head.Text(u"Формат", kLineCap);
    if (format && *format != kFormat) {
        return {std::nullopt, u"от друга версия на програмата е (формат " + *format + u")"};
    }
    HandedIn handedIn;
    handedIn.code = head.Text(u"Задание", kLineCap).value_or(u"");
    const CodeReading code = ReadAssignmentCode(handedIn.code);
    if (head.Fault().empty() && !code.settings) {
        head.Fail(u"кодът на заданието в него не е верен");
    }
    handedIn.variant = head.Number(u"Вариант", 1, kMostVariants).value_or(0);
    handedIn.student.className = head.Text(u"Клас", kLineCap).value_or(u"");
    handedIn.student.number = head.Text(u"Номер в класа", kLineCap).value_or(u"");
    handedIn.student.name = head.Text(u"Име", kLineCap).value_or(u"");
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
    handedIn.settings = *code.settings;
    handedIn.code = AssignmentCode(handedIn.settings);
    const std::vector<RecordBlock>& blocks = reading.record->blocks;
    const auto expected = static_cast<std::size_t>(handedIn.settings.perSheet);
    if (blocks.size() != expected) {
        return {std::nullopt, u"в него има " + Decimal(static_cast<std::int64_t>(blocks.size())) +
                                  u" упражнения, а в заданието — " +
                                  Decimal(static_cast<std::int64_t>(expected))};
    }
    for (std::size_t place = 0; place < blocks.size(); ++place) {
        const std::u16string heading = Decimal(static_cast<std::int64_t>(place) + 1) + u":";
        FieldReader fields(blocks[place]);
        if (!blocks[place].title.starts_with(heading)) {
            fields.Fail(u"упражненията не са подредени от 1 до " +
                        Decimal(static_cast<std::int64_t>(expected)));
        }
        const SheetPlace onSheet =
            PlaceOnSheet(handedIn.settings, handedIn.variant, static_cast<std::int32_t>(place));
        ExerciseWork work;
        work.kind = onSheet.kind;
        work.language = handedIn.settings.language;
        work.number = onSheet.number;
        ReadWork(fields, work);
        if (!fields.Fault().empty()) {
            return {std::nullopt, u"в упражнение " + Decimal(static_cast<std::int64_t>(place) + 1) +
                                      u": " + fields.Fault()};
        }
        handedIn.works.push_back(std::move(work));
    }
    return {std::move(handedIn), {}};
}

}  // namespace lesson
