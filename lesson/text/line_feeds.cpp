// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/text/line_feeds.h"

#include <cstddef>
#include <string>

namespace lesson {

std::u16string WithLineFeeds(const std::u16string& text) {
    std::u16string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' || i + 1 == text.size() || text[i + 1] != u'\n') {
            shown.push_back(text[i]);
        }
    }
    return shown;
}

}  // namespace lesson
