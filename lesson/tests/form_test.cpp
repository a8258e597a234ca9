// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lesson/form.h"

namespace {

using Notice = lesson::Form::Notice;

// What each window shows after a click: the log anew only after a full run, then a warning
// for a problem or else the sentence to announce; the log keeps line feeds alone.
TEST(Form, SaysWhatTheWindowShowsAfterEachClick) {
    const struct {
        std::int16_t index;
        std::u16string phrase, offset;
        bool showsLog;
        Notice notice;
        std::u16string said;  // the announcement, or the problem's title
    } cases[] = {
        {0, u"ABCYZ", u"3", true, Notice::kAnnouncement, u"Шифриран: DEFBC"},
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

}  // namespace
