// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/section_outcome.h"

#include <string>
#include <string_view>

namespace lesson {

void AddSentence(std::u16string& text, std::u16string_view sentence) {
    if (sentence.empty()) {
        return;
    }
    if (!text.empty()) {
        text += u' ';
    }
    text += sentence;
}

void SectionOutcome::Announce(const std::u16string& outcome) {
    m_announcement = outcome.empty() ? m_message : outcome;
    if (!outcome.empty() && !m_message.empty()) {
        m_announcement += outcome.ends_with(u'.') ? u" " : u". ";
        m_announcement += m_message;
    }
}

}  // namespace lesson
