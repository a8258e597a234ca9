// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary text as the work a browser kept, as a page does when it opens and whenever
// another tab saves, and checks what keeping work relies on: what is read and written back
// reads back the same, with every work and every block set aside; a text that is not kept
// work sets nothing aside; and a tab that takes the text in keeps what is typed in the
// exercise open, and taking in its own work again changes nothing. The tab lives on from input
// to input, as it does while the page is open.
//
// Built with CAESAR_KEPT_SEED instead, it writes the seeds: work kept as the lesson keeps it,
// whole and damaged, in the input's form, and as the page's requests that carry it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/expect.h"
#include "fuzz/fuzz_input.h"
#include "lesson/class_work.h"
#include "lesson/exercise_section.h"

#ifndef CAESAR_KEPT_SEED

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::u16string text = input.Rest();
    const lesson::KeptReading reading = lesson::ReadKept(text);
    Expect(reading.progress || reading.damaged + reading.unknown == 0,
           "only kept work has blocks set aside");
    if (reading.progress) {
        const std::u16string written = lesson::KeptText(*reading.progress);
        const lesson::KeptReading again = lesson::ReadKept(written);
        Expect(again.progress.has_value(), "what is written reads back");
        Expect(lesson::KeptText(*again.progress) == written, "what is written reads back the same");
        Expect(again.progress->works.size() == reading.progress->works.size(),
               "every work read is written back");
        Expect(again.damaged + again.unknown == reading.progress->setAside.size(),
               "every block set aside is written back, and set aside again");
    }
    static lesson::ExerciseSection tab;
    const std::u16string typed = tab.Work().answer;
    if (tab.Merge(text) == lesson::ExerciseSection::Merged::kWork) {
        Expect(tab.Work().answer == typed, "the exercise open keeps what is typed in it");
    }
    const std::u16string kept = tab.Kept();
    Expect(tab.Merge(kept) == lesson::ExerciseSection::Merged::kWork && tab.Kept() == kept,
           "taking in a tab's own work changes nothing");
    return 0;
}

#else

#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "cipher/decimal_text.h"
#include "lesson/assignment.h"
#include "lesson/exercise.h"
#include "lesson/teacher_sheet.h"
#include "web/json_writer.h"

namespace {

void Write(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xffU);
        bytes += static_cast<char>(unit >> 8U);
    }
    return bytes;
}

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
    const std::size_t at = text.find(from);
    return at == std::u16string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

// Writes the seeds into kept/ and page/ under the folder named.
int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "kept");
    std::filesystem::create_directories(root / "page");
    lesson::ExerciseSection section;
    section.SetTime(1765353790000);
    section.StartAssignment(lesson::AssignmentCode({&lesson::Languages().back(), 63, 6, 100}),
                            u"3");
    for (int place = 0; place < 6; ++place) {
        section.SetTime(1765353790000 + std::int64_t{place} * 1000);
        section.Check(u"ЦЕЗАР", u"3");
        section.Hint();
        section.NextAssigned();
    }
    section.HandInWork({u"Мария Иванова", u"9а", u"5"});
    section.Type(u"начало", u"");
    const std::u16string whole = section.Kept();
    lesson::ExerciseSection forgotten = section;
    forgotten.SetTime(1765353900000);
    forgotten.Forget();
    const std::vector<std::u16string> texts = {
        whole,
        forgotten.Kept(),
        lesson::ExerciseSection().Kept(),
        Replaced(whole, u"Подсказки: 1", u"Подсказки: 99"),
        Replaced(whole, u" encrypt ", u" substitute "),
        Replaced(whole, u"\nУпражнение ", u"\nУпражнениe "),
        Replaced(whole, u"Изменено: 1", u"Изменено: x"),
        Replaced(whole, u"\n\nУпражнение", u"\nУпражнение"),
        Replaced(whole, u"Място в заданието: 1", u"Място в заданието: 9"),
    };
    for (std::size_t seed = 0; seed < texts.size(); ++seed) {
        const std::string number = std::to_string(seed);
        Write(root / "kept" / ("kept-" + number), Utf16(texts[seed]));
        const std::string kept = page::Quoted(texts[seed]);
        Write(root / "page" / ("restore-" + number), R"({"action":"restore","kept":)" + kept + "}");
        Write(root / "page" / ("keep-" + number),
              R"({"action":"keep","stored":)" + kept + R"(,"now":1765353990000})");
        Write(root / "page" / ("merge-" + number), R"({"action":"merge","stored":)" + kept + "}");
    }
    return 0;
}

#endif
