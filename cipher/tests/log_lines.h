// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The lines of a log, each of which must end in CR LF; a text that does not end so gets a
// last line holding "<unterminated>" and what follows, so the assertion shows it.
inline std::vector<std::u16string> LogLines(const std::u16string& log) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end = log.find(u"\r\n"); end != std::u16string::npos;
         end = log.find(u"\r\n", start)) {
        lines.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    if (start != log.size()) {
        lines.push_back(u"<unterminated>" + log.substr(start));
    }
    return lines;
}
