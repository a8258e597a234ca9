// SPDX-License-Identifier: GPL-3.0-or-later
// The page's window onto the lesson: one set of fields and one code buffer for as long as
// the page is open, reached through plain C functions. Texts cross as UTF-16 code units in
// the module's memory, unchanged, lone surrogates included.
#include "web/page_api.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "cipher/cipher.h"
#include "lesson/click_outcome.h"
#include "lesson/help_text.h"
#include "lesson/identity.h"

namespace {

// The record keeps CR LF; a text box takes line feeds.
std::u16string ShownLog(const std::u16string& log) {
    std::u16string shown;
    shown.reserve(log.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (!(log[i] == u'\r' && i + 1 < log.size() && log[i + 1] == u'\n')) {
            shown.push_back(log[i]);
        }
    }
    return shown;
}

struct Page {
    cipher::FormFields fields = lesson::InitialFields();
    cipher::CodeBuffer codes{};
    lesson::ClickOutcome outcome;
    std::u16string shownLog = ShownLog(fields.log);
    std::u16string typed[2] = {fields.phrase, fields.offset};
    std::u16string caption = lesson::kCaption;
};

Page& ThePage() {
    static Page page;
    return page;
}

const std::u16string& Text(std::int32_t which) {
    Page& page = ThePage();
    switch (which) {
    case kPhrase:
        return page.fields.phrase;
    case kOffset:
        return page.fields.offset;
    case kResult:
        return page.fields.result;
    case kLog:
        return page.shownLog;
    case kProblemTitle:
        return page.outcome.problemTitle;
    case kProblem:
        return page.outcome.problem;
    case kAnnouncement:
        return page.outcome.announcement;
    default:
        return page.caption;
    }
}

}  // namespace

extern "C" {

char16_t* lesson_input(std::int32_t which, std::int32_t length) {
    std::u16string& typed = ThePage().typed[which == kOffset ? 1 : 0];
    typed.assign(static_cast<std::size_t>(length), u'\0');
    return typed.data();
}

void lesson_click(std::int32_t index) {
    Page& page = ThePage();
    page.fields.phrase = page.typed[0];
    page.fields.offset = page.typed[1];
    page.outcome = lesson::Click(static_cast<std::int16_t>(index), page.fields, page.codes);
    page.shownLog = ShownLog(page.fields.log);
}

const char16_t* lesson_text(std::int32_t which) { return Text(which).data(); }

std::int32_t lesson_text_length(std::int32_t which) {
    return static_cast<std::int32_t>(Text(which).size());
}

const std::uint8_t* lesson_codes() { return ThePage().codes.data(); }

std::int32_t lesson_code_count() { return static_cast<std::int32_t>(ThePage().codes.size()); }

}  // extern "C"
