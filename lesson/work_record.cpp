// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/work_record.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
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
    text += u'\n' + std::u16string(kEndLine) + u'\n';
    return text;
}

RecordReading ReadRecord(std::u16string_view text, std::u16string_view firstLine,
                         std::size_t blockCap, std::size_t lineCap) {
    Record record;
    RecordBlock* block = &record.head;
    std::size_t number = 0;
    bool ended = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(u'\n'), text.size());
        std::u16string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        if (line.size() > lineCap) {
            return {std::nullopt, LineNumbered(number) + u" е по-дълъг от " +
                                      cipher::DecimalText(static_cast<std::int64_t>(lineCap)) +
                                      u" знака"};
        }
        if (number == 1) {
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
        if (line.starts_with(kBlockWord) && line.size() > kBlockWord.size() &&
            line[kBlockWord.size()] == u' ') {
            if (record.blocks.size() == blockCap) {
                return {std::nullopt, u"в него има повече от " +
                                          cipher::DecimalText(static_cast<std::int64_t>(blockCap)) +
                                          u" упражнения"};
            }
            block = &record.blocks.emplace_back();
            block->title = line.substr(kBlockWord.size() + 1);
            continue;
        }
        const std::size_t colon = line.find(u':');
        if (colon == std::u16string_view::npos || colon == 0) {
            return {std::nullopt, LineNumbered(number) + u" не е от вида „Име: стойност“"};
        }
        const std::u16string_view name = line.substr(0, colon);
        std::u16string_view value = line.substr(colon + 1);
        if (!value.empty() && value.front() == u' ') {
            value.remove_prefix(1);
        }
        if (block->fields.size() == kMostFields) {
            return {std::nullopt, LineNumbered(number) + u" е след повече от " +
                                      cipher::DecimalText(kMostFields) + u" реда в един блок"};
        }
        if (block->Field(name) != nullptr) {
            return {std::nullopt, u"редът „" + std::u16string(name) + u"“ се среща два пъти"};
        }
        block->fields.emplace_back(name, value);
    }
    if (!ended) {
        return {std::nullopt, number == 0 ? u"празен е" : u"непълен е: липсва краят му"};
    }
    return {std::move(record), {}};
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

}  // namespace lesson
