// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lesson {

// The text form of a student's work, as a file handed in and as what the browser keeps: a
// first line that says what the text is, the line "Формат: 1", then lines "Име: стойност",
// with a block of them for each exercise headed "Упражнение …", and "Край" last, so that a text
// cut short is told from a whole one. Readable in any editor, and read back here alone.

// The version of the form, which a text of another is not read in: a page of another keeps its
// work apart.
inline constexpr std::u16string_view kRecordFormat = u"1";

// A block's lines, each name once, in their order.
struct RecordBlock {
    std::u16string title;  // after "Упражнение " in the line that heads it; empty for the head
    std::vector<std::pair<std::u16string, std::u16string>> fields;

    // The value of the line of that name, or nothing.
    const std::u16string* Field(std::u16string_view name) const;
    void Add(std::u16string_view name, std::u16string_view value);
    // "да" or "не".
    void AddYes(std::u16string_view name, bool yes);
};

struct Record {
    RecordBlock head;
    std::vector<RecordBlock> blocks;
    // Blocks this copy of the program could not read, written back after the others as they
    // were read, a line each.
    std::vector<std::vector<std::u16string>> verbatim;
};

// The record under its first line and its format; each value on its line, its line breaks and
// other control characters as blanks.
std::u16string WrittenRecord(std::u16string_view firstLine, const Record& record);

// The record in a text, or what is wrong with it, in a clause of its own: when its
// first line is not this one, when a line is not a name and a value or a name comes twice in
// a block, when a line is longer than lineCap or there are more than blockCap blocks, when
// "Край" is missing, and when its format is missing or another.
struct RecordReading {
    std::optional<Record> record;
    std::u16string fault;
};
RecordReading ReadRecord(std::u16string_view text, std::u16string_view firstLine,
                         std::size_t blockCap, std::size_t lineCap);

// A record read block by block, so that a damaged line costs no more than its own block: a
// block begins at a line "Упражнение …" or after a blank line, and ends before the next. The
// head keeps the lines that read; a block keeps its lines as they stand either way.
struct LooseBlock {
    std::optional<RecordBlock> block;  // nothing where one of its lines does not read
    std::vector<std::u16string> lines;
};
struct LooseRecord {
    RecordBlock head;
    bool headDamaged = false;  // a line of the head did not read
    std::vector<LooseBlock> blocks;
};
// Nothing where the text's first line is not this one, or its format is missing or another.
std::optional<LooseRecord> ReadLooseRecord(std::u16string_view text, std::u16string_view firstLine,
                                           std::size_t lineCap);

// Reads the lines of a block by their names; the first line that is missing or does not read
// is the fault, in a clause of its own.
class FieldReader {
public:
    explicit FieldReader(const RecordBlock& block) : m_block(block) {}

    bool Has(std::u16string_view name) const { return m_block.Field(name) != nullptr; }
    // The line's value, if it is there; empty, and no fault, if not.
    std::u16string Optional(std::u16string_view name) const {
        return Has(name) ? *m_block.Field(name) : std::u16string();
    }
    // The line's value, of at most cap characters.
    std::optional<std::u16string> Text(std::u16string_view name,
                                       std::size_t cap = std::u16string::npos);
    // A whole number from lowest to highest.
    std::optional<std::int32_t> Number(std::u16string_view name, std::int32_t lowest,
                                       std::int32_t highest);
    // "да" or "не"; false for any other.
    bool Yes(std::u16string_view name);
    // A MomentText, or empty.
    std::u16string Moment(std::u16string_view name);
    // Milliseconds since 1970 in digits, if the line is there; nothing, and no fault, if not.
    std::optional<std::int64_t> Milliseconds(std::u16string_view name);

    // Keeps the first fault.
    void Fail(std::u16string fault);
    const std::u16string& Fault() const { return m_fault; }

private:
    const RecordBlock& m_block;
    std::u16string m_fault;
};

// A moment, milliseconds since 1970 in UTC, as "2026-12-10T08:03:10Z", which sorts as text
// in the order of time.
std::u16string MomentText(std::int64_t milliseconds);
// The moment a MomentText names, or nothing where the text is not a real date and time.
std::optional<std::int64_t> MomentMilliseconds(std::u16string_view text);

}  // namespace lesson
