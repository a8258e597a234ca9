// SPDX-License-Identifier: GPL-3.0-or-later
// The page's window onto the lesson: one set of fields and one code buffer for as long as
// the page is open, reached through plain C functions. Texts cross as UTF-16 code units in
// the module's memory, unchanged, lone surrogates included.
#include "web/page_api.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "lesson/form.h"
#include "lesson/identity.h"

namespace {

struct Page {
    lesson::Form form;
    std::u16string typed[2] = {form.Fields().phrase, form.Fields().offset};
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

}  // namespace

extern "C" {

char16_t* lesson_input(std::int32_t which, std::int32_t length) {
    std::u16string& typed = ThePage().typed[which == kOffset ? 1 : 0];
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

}  // extern "C"
