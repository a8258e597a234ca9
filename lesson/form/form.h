// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/cipher.h"
#include "lesson/form/click_outcome.h"

namespace lesson {

// The fields and the code buffer of one window, kept for as long as the window is open, and
// what they come to on its screen. Both windows, the desktop's and the page's, hold one and
// do nothing of a click's work themselves.
class Form {
public:
    // What a window says after a click, once its fields and log are shown.
    enum class Notice : std::uint8_t { kNone, kWarning, kAnnouncement };

    // The fields as the window opens.
    Form();

    // Runs a click of Calculate (0) or Clear (1) on what the student typed into the phrase
    // and the offset; any other index changes nothing but the outcome.
    void Click(std::int16_t index, std::u16string_view typedPhrase,
               std::u16string_view typedOffset);

    const cipher::FormFields& Fields() const { return m_fields; }
    const cipher::CodeBuffer& Codes() const { return m_codes; }
    // The log as a text box shows it: lines ended by a line feed alone.
    const std::u16string& ShownLog() const { return m_shownLog; }
    // What the last click came to: a problem to show, or the sentence to announce.
    const ClickOutcome& Outcome() const { return m_outcome; }

    // Whether the window shows the log anew, from its start: a full run, and only a full run,
    // leaves a result, and its trace is shown even when it is the same as before and the
    // student had scrolled away.
    bool ShowsLog() const { return !m_fields.result.empty(); }
    // Then a warning for a problem, or else the sentence a screen reader says, if any.
    Notice NoticeToGive() const;

private:
    cipher::FormFields m_fields;
    cipher::CodeBuffer m_codes{};
    ClickOutcome m_outcome;
    std::u16string m_shownLog;
};

}  // namespace lesson
