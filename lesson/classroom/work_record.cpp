// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/work_record.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/decimal_text.h"

namespace lesson {

namespace {

constexpr std::u16string_view kBlockWord = u"Упражнение";
constexpr std::u16string_view kEndLine = u"Край";
constexpr std::u16string_view kSeparator = u": ";
// Far more lines than a block has, and few enough that looking for a name twice stays cheap.
constexpr std::size_t kMostFields = 20;

void AppendPadded(std::u16string& text, std::int64_t number, std::size_t width) {
    const std::u16string digits = cipher::DecimalText(number);
    text.append(width > digits.size() ? width - digits.size() : 0, u'0');
    text += digits;
}

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

std::u16string LineNumbered(std::size_t number) {
    return u"ред " + cipher::DecimalText(static_cast<std::int64_t>(number));
}

}  // namespace

const std::u16string* RecordBlock::Field(std::u16string_view name) const {
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [name](const auto& field) { return field.first == name; });
    return found != fields.end() ? &found->second : nullptr;
}

void RecordBlock::Add(std::u16string_view name, std::u16string_view value) {
    fields.emplace_back(name, OnOneLine(value));
}

std::u16string WrittenRecord(std::u16string_view firstLine, const Record& record) {
    std::u16string text(firstLine);
    text += u'\n';
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
                                      cipher::DecimalText(static_cast<std::int64_t>(lineCap)) +
                                      u" знака"};
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
                return {std::nullopt, u"в него има повече от " +
                                          cipher::DecimalText(static_cast<std::int64_t>(blockCap)) +
                                          u" упражнения"};
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
                                      cipher::DecimalText(kMostFields) + u" реда в един блок"};
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
        const std::optional<Field> field =
            line.size() <= lineCap ? FieldOf(line) : std::optional<Field>();
        const bool reads =
            field && fields->fields.size() < kMostFields && fields->Field(field->first) == nullptr;
        if (reads) {
            fields->fields.emplace_back(field->first, field->second);
        } else if (block != nullptr) {
            block->block.reset();
        } else {
            record.headDamaged = true;
        }
    }
    return record;
}

std::u16string MomentText(std::int64_t milliseconds) {
    using std::chrono::days;
    const std::chrono::sys_time<std::chrono::milliseconds> moment{
        std::chrono::milliseconds(milliseconds)};
    const std::chrono::sys_days day = std::chrono::floor<days>(moment);
    const std::chrono::year_month_day date(day);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(moment - day).count();
    std::u16string text;
    AppendPadded(text, static_cast<int>(date.year()), 4);
    text += u'-';
    AppendPadded(text, static_cast<unsigned>(date.month()), 2);
    text += u'-';
    AppendPadded(text, static_cast<unsigned>(date.day()), 2);
    text += u'T';
    AppendPadded(text, seconds / 3600, 2);
    text += u':';
    AppendPadded(text, seconds / 60 % 60, 2);
    text += u':';
    AppendPadded(text, seconds % 60, 2);
    return text + u'Z';
}

bool IsMomentText(std::u16string_view text) {
    constexpr std::u16string_view kShape = u"0000-00-00T00:00:00Z";
    return text.size() == kShape.size() &&
           std::equal(text.begin(), text.end(), kShape.begin(), [](char16_t c, char16_t shape) {
               return shape == u'0' ? c >= u'0' && c <= u'9' : c == shape;
           });
}

std::optional<std::int64_t> MomentMilliseconds(std::u16string_view text) {
    if (!IsMomentText(text)) {
        return std::nullopt;
    }
    const auto number = [text](std::size_t from, std::size_t digits) {
        const std::u16string_view part = text.substr(from, digits);
        return std::accumulate(part.begin(), part.end(), 0, [](int value, char16_t digit) {
            return value * 10 + (digit - u'0');
        });
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
