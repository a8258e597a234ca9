// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lesson {

// The sentence after the text, with a blank between them; nothing for an empty sentence.
void AddSentence(std::u16string& text, std::u16string_view sentence);
// The items one after another as a sentence lists them: "X, Y и Z".
std::u16string Enumerated(const std::vector<std::u16string>& items);
// The letters so listed.
std::u16string EnumeratedLetters(std::u16string_view letters);

// What a section of the page says of the student's last action: a note on it, and the sentence
// a screen reader says.
class SectionOutcome {
public:
    // A note on what was typed, what is wrong with it or how it was taken; or empty.
    const std::u16string& Message() const { return m_message; }
    // What a screen reader says after the last action.
    const std::u16string& Announcement() const { return m_announcement; }

protected:
    // Announces what the action came to, then the note, with a full stop between them where the
    // first has none; the note alone where the action came to nothing.
    void Announce(const std::u16string& outcome);

    std::u16string m_message;
    std::u16string m_announcement;
};

// What a section that shifts a text's letters shows besides: the letters, the result and how
// it was worked out.
class CipherOutcome : public SectionOutcome {
public:
    // The text's letters in the alphabet.
    const std::u16string& Letters() const { return m_letters; }
    const std::u16string& Result() const { return m_result; }
    // The lines ended by line feeds alone, as a text box shows them.
    const std::u16string& Trace() const { return m_trace; }

protected:
    std::u16string m_letters;
    std::u16string m_result;
    std::u16string m_trace;
};

}  // namespace lesson
