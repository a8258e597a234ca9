// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lesson/caesar/cyrillic_section.h"
#include "lesson/form/form.h"

namespace {

using Notice = lesson::Form::Notice;

// What each window shows after a click: the log anew only after a full run, then a warning
// for a problem or else the sentence to announce, its letters spelled; the log keeps line
// feeds alone.
TEST(Form, SaysWhatTheWindowShowsAfterEachClick) {
    const struct {
        std::int16_t index;
        std::u16string phrase, offset;
        bool showsLog;
        Notice notice;
        std::u16string said;  // the announcement, or the problem's title
    } cases[] = {
        {0, u"ABCYZ", u"3", true, Notice::kAnnouncement, u"Шифриран: D, E, F, B, C"},
        {0, u"123", u"3", false, Notice::kAnnouncement,
         u"Шифрираният текст е празен. Отместване: 3"},
        {0, u"ABC", u"99999999999", false, Notice::kWarning, u"Твърде голямо отместване"},
        {0, std::u16string(301, u'A'), u"1", false, Notice::kWarning, u"Грешка"},
        {1, u"ABC", u"3", false, Notice::kAnnouncement,
         u"Полетата Текст, Отместване и Шифриран са празни."},
        {7, u"ABC", u"3", false, Notice::kNone, u""},
    };
    for (const auto& c : cases) {
        lesson::Form form;
        const std::u16string opening = form.ShownLog();
        form.Click(c.index, c.phrase, c.offset);
        EXPECT_EQ(form.ShowsLog(), c.showsLog) << c.index;
        EXPECT_EQ(form.NoticeToGive(), c.notice) << c.index;
        EXPECT_EQ(c.notice == Notice::kWarning ? form.Outcome().problemTitle
                                               : form.Outcome().announcement,
                  c.said);
        EXPECT_EQ(form.ShownLog().find(u'\r'), std::u16string::npos);
        EXPECT_EQ(form.ShownLog() != opening, c.showsLog) << c.index;
    }
}

// The key is read as the window reads the offset, then taken modulo 30; a whole turn shifts
// nothing and, like an offset below 1 in the window, gives no result, here with a note. The
// result is announced letter by letter, Г and Й by their names.
TEST(CyrillicSection, TakesTheKeyModuloThirty) {
    const struct {
        std::u16string phrase, key, result, spoken;
        std::int32_t used;
        std::u16string messageStart;
    } cases[] = {
        {u"Здравей, свят!", u"3", u"КЗУГЕИМФЕВХ", u"К, З, У, гъ, Е, И, М, Ф, Е, В, Х", 3, u""},
        {u"Ив", u"1", u"ЙГ", u"и кратко, гъ", 1, u""},
        {u"юя", u"1", u"ЯА", u"Я, А", 1, u""},
        {u"юя", u"29", u"ЬЮ", u"Ь, Ю", 29, u""},
        {u"юя", u"31", u"ЯА", u"Я, А. Ключ 31", 1,
         u"Ключ 31 е същото като ключ 1: азбуката има 30 букви"},
        {u"юя", u"-1", u"ЬЮ", u"Ь, Ю. Ключ -1", 29, u"Ключ -1 е същото като ключ 29"},
        {u"юя", u"30", u"", u"", 0, u"Ключ 30 не премества буквите: 0 и всяко кратно на 30"},
        {u"юя", u"9e9", u"", u"", 0, u"Ключът е твърде голям."},
        {u"Hello ЫЭЁ", u"3", u"", u"", 0, u"Няма букви на кирилица (А–Я) във фразата."},
    };
    for (const auto& c : cases) {
        lesson::CyrillicSection section;
        section.Calculate(c.phrase, c.key);
        EXPECT_EQ(section.Result(), c.result) << std::string(c.key.begin(), c.key.end());
        EXPECT_EQ(section.Key(), c.used);
        EXPECT_EQ(section.Message().rfind(c.messageStart, 0) == 0 &&
                      (c.messageStart.empty() == section.Message().empty()),
                  true);
        EXPECT_EQ(section.Trace().empty(), c.result.empty());
        EXPECT_EQ(section.Announcement().rfind(u"Шифриран: " + c.spoken, 0) == 0,
                  !c.result.empty());
    }
}

}  // namespace
