// SPDX-License-Identifier: GPL-3.0-or-later
// The window's copy: a click on its form, and the form as it stands.
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "lesson/form/click_outcome.h"
#include "lesson/form/form.h"
#include "web/action.h"
#include "web/json_writer.h"

namespace page {
namespace {

std::u16string_view NoticeName(lesson::Form::Notice notice) {
    switch (notice) {
        case lesson::Form::Notice::kWarning:
            return u"warning";
        case lesson::Form::Notice::kAnnouncement:
            return u"announcement";
        case lesson::Form::Notice::kNone:
            break;
    }
    return u"";
}

// The fields, the log as its box shows it, what the last click came to and what the window
// shows after it, and the code buffer.
std::string FormState(const lesson::Form& form) {
    const cipher::FormFields& fields = form.Fields();
    const lesson::ClickOutcome& outcome = form.Outcome();
    return Object({{"phrase", Quoted(fields.phrase)},
                   {"offset", Quoted(fields.offset)},
                   {"result", Quoted(fields.result)},
                   {"log", Quoted(form.ShownLog())},
                   {"showsLog", Boolean(form.ShowsLog())},
                   {"notice", Quoted(NoticeName(form.NoticeToGive()))},
                   {"problemTitle", Quoted(outcome.problemTitle)},
                   {"problem", Quoted(outcome.problem)},
                   {"announcement", Quoted(outcome.announcement)},
                   {"codes", ArrayOf(form.Codes(), [](std::uint8_t code) {
                        return Number(std::int64_t{code});
                    })}});
}

// Calculate (0) or Clear (1) on the typed phrase and offset; an index past 16 bits is
// refused rather than wrapped onto a button.
std::string Click(Page& page, const Values& values) {
    page.form.Click(static_cast<std::int16_t>(values[0].number), values[1].text, values[2].text);
    return FormState(page.form);
}

// A handler of the table takes the page to change, though this changes nothing.
// cppcheck-suppress constParameter
std::string ShownForm(Page& page, const Values& /*values*/) { return FormState(page.form); }

bool FitsSixteenBits(const Page& /*page*/, const Value& index) {
    const std::int64_t number = index.number;
    return number >= std::numeric_limits<std::int16_t>::min() &&
           number <= std::numeric_limits<std::int16_t>::max();
}

constexpr Action kActions[] = {
    {"click",
     {Checked(NumberField("index"), "16 bits", FitsSixteenBits), TextField("phrase"),
      TextField("offset")},
     Click},
    {"form", {}, ShownForm},
};

}  // namespace

std::span<const Action> WindowActions() { return kActions; }

}  // namespace page
