// SPDX-License-Identifier: GPL-3.0-or-later
// The page's window onto the lesson: one set of fields and one code buffer for as long as
// the page is open, reached through plain C functions. Texts cross as UTF-16 code units in
// the module's memory, unchanged, lone surrogates included.
#include "web/page_api.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "lesson/break_section.h"
#include "lesson/form.h"
#include "lesson/identity.h"

namespace {

struct Page {
    lesson::Form form;
    lesson::BreakSection breaking;
    std::u16string typed[2] = {form.Fields().phrase, form.Fields().offset};
    std::u16string ciphertext;
    std::u16string caption = lesson::kCaption;
};

Page& ThePage() {
    static Page page;
    return page;
}

const std::u16string& Text(std::int32_t which) {
    const Page& page = ThePage();
    switch (which) {
        case kPhrase:
            return page.form.Fields().phrase;
        case kOffset:
            return page.form.Fields().offset;
        case kResult:
            return page.form.Fields().result;
        case kLog:
            return page.form.ShownLog();
        case kProblemTitle:
            return page.form.Outcome().problemTitle;
        case kProblem:
            return page.form.Outcome().problem;
        case kAnnouncement:
            return page.form.Outcome().announcement;
        default:
            return page.caption;
    }
}

// A row or a letter from JavaScript, kept inside what the section has; out of range it means
// the last.
std::size_t Index(std::int32_t index, std::size_t count) {
    return std::min(static_cast<std::size_t>(std::max(index, 0)), count - 1);
}

const std::u16string& BreakText(std::int32_t which, std::int32_t index) {
    static const std::u16string kNone;
    const lesson::BreakSection& section = ThePage().breaking;
    switch (which) {
        case kDecoded:
            return section.Rows() == 0 ? kNone : section.Decoded(Index(index, section.Rows()));
        case kScore:
            return section.Rows() == 0 ? kNone : section.Score(Index(index, section.Rows()));
        case kExpected:
            return section.ExpectedText(Index(index, 26));
        case kBreakMessage:
            return section.Message();
        case kBreakAnnouncement:
            return section.Announcement();
        default:
            return section.Trace();
    }
}

}  // namespace

extern "C" {

char16_t* lesson_input(std::int32_t which, std::int32_t length) {
    Page& page = ThePage();
    std::u16string& typed =
        which == kCiphertext ? page.ciphertext : page.typed[which == kOffset ? 1 : 0];
    typed.assign(static_cast<std::size_t>(length), u'\0');
    return typed.data();
}

void lesson_click(std::int32_t index) {
    Page& page = ThePage();
    page.form.Click(static_cast<std::int16_t>(index), page.typed[0], page.typed[1]);
}

const char16_t* lesson_text(std::int32_t which) { return Text(which).data(); }

std::int32_t lesson_text_length(std::int32_t which) {
    return static_cast<std::int32_t>(Text(which).size());
}

const std::uint8_t* lesson_codes() { return ThePage().form.Codes().data(); }

std::int32_t lesson_code_count() {
    return static_cast<std::int32_t>(ThePage().form.Codes().size());
}

void lesson_break() {
    Page& page = ThePage();
    page.breaking.Break(page.ciphertext);
}

void lesson_choose(std::int32_t row) {
    if (row >= 0) {
        ThePage().breaking.Choose(static_cast<std::size_t>(row));
    }
}

std::int32_t lesson_break_rows() { return static_cast<std::int32_t>(ThePage().breaking.Rows()); }

std::int32_t lesson_break_chosen() {
    return static_cast<std::int32_t>(ThePage().breaking.Chosen());
}

std::int32_t lesson_break_offset(std::int32_t row) {
    const lesson::BreakSection& section = ThePage().breaking;
    return section.Rows() == 0 ? 0 : section.Offset(Index(row, section.Rows()));
}

std::int32_t lesson_letter_count(std::int32_t letter) {
    return ThePage().breaking.Count(Index(letter, 26));
}

double lesson_expected_count(std::int32_t letter) {
    return ThePage().breaking.Expected(Index(letter, 26));
}

const char16_t* lesson_break_text(std::int32_t which, std::int32_t index) {
    return BreakText(which, index).data();
}

std::int32_t lesson_break_text_length(std::int32_t which, std::int32_t index) {
    return static_cast<std::int32_t>(BreakText(which, index).size());
}

}  // extern "C"
