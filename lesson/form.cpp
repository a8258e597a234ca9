// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/form.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "lesson/click_outcome.h"
#include "lesson/help_text.h"

namespace lesson {

namespace {

// The record keeps CR LF; a text box takes line feeds.
std::u16string WithLineFeeds(const std::u16string& log) {
    std::u16string shown;
    shown.reserve(log.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i] != u'\r' || i + 1 == log.size() || log[i + 1] != u'\n') {
            shown.push_back(log[i]);
        }
    }
    return shown;
}

}  // namespace

Form::Form() : m_fields(InitialFields()), m_shownLog(WithLineFeeds(m_fields.log)) {}

void Form::Click(std::int16_t index, std::u16string_view typedPhrase,
                 std::u16string_view typedOffset) {
    m_fields.phrase = typedPhrase;
    m_fields.offset = typedOffset;
    m_outcome = lesson::Click(index, m_fields, m_codes);
    m_shownLog = WithLineFeeds(m_fields.log);
}

}  // namespace lesson
