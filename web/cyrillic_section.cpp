// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar cipher on the Cyrillic alphabet.
#include <cstdint>
#include <span>
#include <string>

#include "lesson/caesar/cyrillic_section.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

// The phrase's letters, the key, the result, the trace and what to say of them.
std::string CyrillicState(const lesson::CyrillicSection& section) {
    return Object({{"letters", Quoted(section.Letters())},
                   {"key", Number(std::int64_t{section.Key()})},
                   {"result", Quoted(section.Result())},
                   {"trace", Quoted(section.Trace())},
                   {"message", Quoted(section.Message())},
                   {"announcement", Quoted(section.Announcement())}});
}

std::string Cyrillic(Page& page, const Values& values) {
    page.cyrillic.Calculate(values[0].text, values[1].text);
    return CyrillicState(page.cyrillic);
}

constexpr Action kActions[] = {
    {"cyrillic", {TextField("phrase"), TextField("key")}, Cyrillic},
};

}  // namespace

std::span<const Action> CyrillicActions() { return kActions; }

}  // namespace page
