// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/form/form.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "lesson/form/click_outcome.h"
#include "lesson/form/help_text.h"
#include "lesson/text/line_feeds.h"

namespace lesson {

Form::Form() : m_fields(InitialFields()), m_shownLog(WithLineFeeds(m_fields.log)) {}

void Form::Click(std::int16_t index, std::u16string_view typedPhrase,
                 std::u16string_view typedOffset) {
    m_fields.phrase = typedPhrase;
    m_fields.offset = typedOffset;
    m_outcome = lesson::Click(index, m_fields, m_codes);
    m_shownLog = WithLineFeeds(m_fields.log);
}

Form::Notice Form::NoticeToGive() const {
    if (!m_outcome.problem.empty()) {
        return Notice::kWarning;
    }
    return m_outcome.announcement.empty() ? Notice::kNone : Notice::kAnnouncement;
}

}  // namespace lesson
