// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/work_record.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"

namespace lesson {

namespace {

constexpr std::u16string_view kFormatName = u"Формат";
constexpr std::u16string_view kBlockWord = u"Упражнение";
constexpr std::u16string_view kEndLine = u"Край";
constexpr std::u16string_view kSeparator = u": ";
// Far more lines than a block has, and few enough that looking for a name twice stays cheap.
constexpr std::size_t kMostFields = 20;

std::u16string_view YesNo(bool yes) { return yes ? u"да" : u"не"; }

std::u16string OnOneLine(std::u16string_view value) {
    std::u16string line(value);
    std::replace_if(
        line.begin(), line.end(), [](char16_t c) { return c < 0x20 || c == 0x7f; }, u' ');
    return line;
}

using Field = std::pair<std::u16string_view, std::u16string_view>;

// A text's lines one by one, each without its line end, counted from 1.
class Lines {
public:
    explicit Lines(std::u16string_view text) : m_text(text) {}

    std::optional<std::u16string_view> Next() {
        if (m_text.empty()) {
            return std::nullopt;
        }
        const std::size_t end = std::min(m_text.find(u'\n'), m_text.size());
        std::u16string_view line = m_text.substr(0, end);
        m_text.remove_prefix(std::min(end + 1, m_text.size()));
        ++m_number;
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        return line;
    }
    std::size_t Number() const { return m_number; }

private:
    std::u16string_view m_text;
    std::size_t m_number = 0;
};

bool IsBlockHeading(std::u16string_view line) {
    return line.starts_with(kBlockWord) && line.size() > kBlockWord.size() &&
           line[kBlockWord.size()] == u' ';
}

// A line "Име: стойност" as its name and value, or nothing.
std::optional<Field> FieldOf(std::u16string_view line) {
    const std::size_t colon = line.find(u':');
    if (colon == std::u16string_view::npos || colon == 0) {
        return std::nullopt;
    }
    std::u16string_view value = line.substr(colon + 1);
    if (!value.empty() && value.front() == u' ') {
        value.remove_prefix(1);
    }
    return Field(line.substr(0, colon), value);
}

// Whether a text is a MomentText.
bool IsMomentText(std::u16string_view text) {
    constexpr std::u16string_view kShape = u"0000-00-00T00:00:00Z";
    return text.size() == kShape.size() &&
           std::equal(text.begin(), text.end(), kShape.begin(), [](char16_t c, char16_t shape) {
               return shape == u'0' ? c >= u'0' && c <= u'9' : c == shape;
           });
}

// What keeps the head's format from being read: missing, or another.
std::u16string FormatFault(const RecordBlock& head) {
    FieldReader fields(head);
    const std::optional<std::u16string> format = fields.Text(kFormatName);
    if (format && *format != kRecordFormat) {
        fields.Fail(Joined({u"от друга версия на програмата е (формат ", *format, u")"}));
    }
    return fields.Fault();
}

std::u16string LineNumbered(std::size_t number) { return u"ред " + Decimal(number); }

}  // namespace

const std::u16string* RecordBlock::Field(std::u16string_view name) const {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [name](const auto& field) { return field.first == name; });
    return found != fields.end() ? &found->second : nullptr;
}

void RecordBlock::Add(std::u16string_view name, std::u16string_view value) {
    fields.emplace_back(name, OnOneLine(value));
}

void RecordBlock::AddYes(std::u16string_view name, bool yes) { Add(name, YesNo(yes)); }

std::u16string WrittenRecord(std::u16string_view firstLine, const Record& record) {
    std::u16string text = Joined({firstLine, u"\n", kFormatName, kSeparator, kRecordFormat, u"\n"});
    const auto writeFields = [&text](const RecordBlock& block) {
        for (const auto& [name, value] : block.fields) {
            text += name + std::u16string(kSeparator) + OnOneLine(value) + u'\n';
        }
    };
    writeFields(record.head);
    for (const RecordBlock& block : record.blocks) {
        text += u'\n' + std::u16string(kBlockWord) + u' ' + OnOneLine(block.title) + u'\n';
        writeFields(block);
    }
    for (const std::vector<std::u16string>& lines : record.verbatim) {
        text += u'\n';
        for (const std::u16string& line : lines) {
            text += OnOneLine(line) + u'\n';
        }
    }
    text += u'\n' + std::u16string(kEndLine) + u'\n';
    return text;
}

RecordReading ReadRecord(std::u16string_view text, std::u16string_view firstLine,
                         std::size_t blockCap, std::size_t lineCap) {
    Record record;
    RecordBlock* block = &record.head;
    Lines lines(text);
    bool ended = false;
    while (const std::optional<std::u16string_view> read = lines.Next()) {
        const std::u16string_view line = *read;
        if (line.size() > lineCap) {
            return {std::nullopt, LineNumbered(lines.Number()) + u" е по-дълъг от " +
                                      Decimal(lineCap) + u" знака"};
        }
        if (lines.Number() == 1) {
            if (line != firstLine) {
                return {std::nullopt, u"това не е предадена работа от урока"};
            }
            continue;
        }
        if (ended) {
            if (!line.empty()) {
                return {std::nullopt, u"след реда „Край“ има още текст"};
            }
            continue;
        }
        if (line.empty()) {
            continue;
        }
        if (line == kEndLine) {
            ended = true;
            continue;
        }
        if (IsBlockHeading(line)) {
            if (record.blocks.size() == blockCap) {
                return {std::nullopt,
                        u"в него има повече от " + Decimal(blockCap) + u" упражнения"};
            }
            block = &record.blocks.emplace_back();
            block->title = line.substr(kBlockWord.size() + 1);
            continue;
        }
        const std::optional<Field> field = FieldOf(line);
        if (!field) {
            return {std::nullopt, LineNumbered(lines.Number()) + u" не е от вида „Име: стойност“"};
        }
        if (block->fields.size() == kMostFields) {
            return {std::nullopt, LineNumbered(lines.Number()) + u" е след повече от " +
                                      Decimal(kMostFields) + u" реда в един блок"};
        }
        if (block->Field(field->first) != nullptr) {
            return {std::nullopt,
                    u"редът „" + std::u16string(field->first) + u"“ се среща два пъти"};
        }
        block->fields.emplace_back(field->first, field->second);
    }
    if (!ended) {
        return {std::nullopt, lines.Number() == 0 ? u"празен е" : u"непълен е: липсва краят му"};
    }
    if (std::u16string fault = FormatFault(record.head); !fault.empty()) {
        return {std::nullopt, std::move(fault)};
    }
    return {std::move(record), {}};
}

std::optional<LooseRecord> ReadLooseRecord(std::u16string_view text, std::u16string_view firstLine,
                                           std::size_t lineCap) {
    Lines lines(text);
    if (lines.Next() != firstLine) {
        return std::nullopt;
    }
    LooseRecord record;
    LooseBlock* block = nullptr;  // in the head while there is none
    bool afterBlank = false;
    while (const std::optional<std::u16string_view> read = lines.Next()) {
        // Read as it will be written back, so that it reads back the same.
        const std::u16string line = OnOneLine(*read);
        if (line.empty()) {
            afterBlank = true;
            continue;
        }
        if (line == kEndLine) {
            break;
        }
        const bool heading = IsBlockHeading(line);
        if (heading || afterBlank) {
            block = &record.blocks.emplace_back();
            // A block without its heading names no exercise: it is kept, unread.
            if (heading) {
                block->block.emplace().title = line.substr(kBlockWord.size() + 1);
            }
        }
        afterBlank = false;
        if (block != nullptr) {
            block->lines.push_back(line);
        }
        RecordBlock* fields = block == nullptr ? &record.head
                              : block->block   ? &*block->block
                                               : nullptr;
        if (heading || fields == nullptr) {
            continue;
        }
        // Capped as it will be written back, with a space after its colon.
        const std::optional<Field> field = FieldOf(line);
        const bool reads =
            field && field->first.size() + kSeparator.size() + field->second.size() <= lineCap &&
            fields->fields.size() < kMostFields && fields->Field(field->first) == nullptr;
        if (reads) {
            fields->fields.emplace_back(field->first, field->second);
        } else if (block != nullptr) {
            block->block.reset();
        } else {
            record.headDamaged = true;
        }
    }
    if (!FormatFault(record.head).empty()) {
        return std::nullopt;
    }
    return record;
}

std::optional<std::u16string> FieldReader::Text(std::u16string_view name, std::size_t cap) {
    const std::u16string* value = m_block.Field(name);
    if (value == nullptr) {
        Fail(Joined({u"липсва редът „", name, u"“"}));
        return std::nullopt;
    }
    if (value->size() > cap) {
        Fail(Joined({u"редът „", name, u"“ е по-дълъг от ", Decimal(cap), u" знака"}));
        return std::nullopt;
    }
    return *value;
}

std::optional<std::int32_t> FieldReader::Number(std::u16string_view name, std::int32_t lowest,
                                                std::int32_t highest) {
    const std::optional<std::u16string> text = Text(name);
    const std::optional<std::int32_t> number =
        text ? NumberFrom(*text, lowest, highest) : std::nullopt;
    if (text && !number) {
        Fail(Joined(
            {u"„", name, u": ", *text, u"“ е извън ", Decimal(lowest), u"–", Decimal(highest)}));
    }
    return number;
}

bool FieldReader::Yes(std::u16string_view name) {
    const std::optional<std::u16string> text = Text(name);
    if (text && *text != YesNo(true) && *text != YesNo(false)) {
        Fail(Joined({u"„", name, u"“ не е „да“ или „не“"}));
    }
    return text == YesNo(true);
}

std::u16string FieldReader::Moment(std::u16string_view name) {
    const std::optional<std::u16string> text = Text(name);
    if (text && !text->empty() && !IsMomentText(*text)) {
        Fail(Joined({u"„", name, u"“ не е момент от вида 2026-12-10T08:03:10Z"}));
    }
    return text.value_or(u"");
}

std::optional<std::int64_t> FieldReader::Milliseconds(std::u16string_view name) {
    constexpr std::size_t kMostDigits = 15;
    const std::u16string* text = m_block.Field(name);
    if (text == nullptr) {
        return std::nullopt;
    }
    if (text->empty() || text->size() > kMostDigits ||
        text->find_first_not_of(u"0123456789") != std::u16string::npos) {
        Fail(Joined({u"„", name, u": ", *text, u"“ не е брой милисекунди"}));
        return std::nullopt;
    }
    return DigitsValue(*text);
}

void FieldReader::Fail(std::u16string fault) {
    if (m_fault.empty()) {
        m_fault = std::move(fault);
    }
}

std::u16string MomentText(std::int64_t milliseconds) {
    const std::chrono::sys_time<std::chrono::milliseconds> moment{
        std::chrono::milliseconds(milliseconds)};
    const std::chrono::sys_days day = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::year_month_day date(day);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(moment - day).count();
    return Joined({Padded(static_cast<int>(date.year()), 4), u"-",
                   Padded(static_cast<unsigned>(date.month()), 2), u"-",
                   Padded(static_cast<unsigned>(date.day()), 2), u"T", Padded(seconds / 3600, 2),
                   u":", Padded(seconds / 60 % 60, 2), u":", Padded(seconds % 60, 2), u"Z"});
}

std::optional<std::int64_t> MomentMilliseconds(std::u16string_view text) {
    if (!IsMomentText(text)) {
        return std::nullopt;
    }
    const auto number = [text](std::size_t from, std::size_t digits) {
        return static_cast<int>(DigitsValue(text.substr(from, digits)));
    };
    const std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                           std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                           std::chrono::day(static_cast<unsigned>(number(8, 2)))};
    const int hours = number(11, 2);
    const int minutes = number(14, 2);
    const int seconds = number(17, 2);
    if (!date.ok() || hours > 23 || minutes > 59 || seconds > 59) {
        return std::nullopt;
    }
    const std::chrono::sys_seconds moment =
        std::chrono::sys_days(date) + std::chrono::hours(hours) + std::chrono::minutes(minutes) +
        std::chrono::seconds(seconds);
    return std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch()).count();
}

}  // namespace lesson
