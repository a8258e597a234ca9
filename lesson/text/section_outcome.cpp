// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/section_outcome.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

std::u16string Enumerated(const std::vector<std::u16string>& items) {
    std::u16string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            list += i + 1 == items.size() ? u" и " : u", ";
        }
        list += items[i];
    }
    return list;
}

std::u16string EnumeratedLetters(std::u16string_view letters) {
    std::vector<std::u16string> items(letters.size());
    std::transform(letters.begin(), letters.end(), items.begin(),
                   [](char16_t letter) { return std::u16string(1, letter); });
    return Enumerated(items);
}

void SectionOutcome::Announce(const std::u16string& outcome) {
    m_announcement = outcome.empty() ? m_message : outcome;
    if (!outcome.empty() && !m_message.empty()) {
        m_announcement += outcome.ends_with(u'.') ? u" " : u". ";
        m_announcement += m_message;
    }
}

}  // namespace lesson
