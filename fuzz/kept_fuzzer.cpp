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
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/practice.h"

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
    const std::u16string typed = tab.Practised().Work().answer;
    if (tab.Merge(text) == lesson::ExerciseSection::Merged::kWork) {
        Expect(tab.Practised().Work().answer == typed,
               "the exercise open keeps what is typed in it");
    }
    const std::u16string kept = tab.Kept();
    Expect(tab.Merge(kept) == lesson::ExerciseSection::Merged::kWork && tab.Kept() == kept,
           "taking in a tab's own work changes nothing");
    return 0;
}

#else

#include <filesystem>
#include <iterator>
#include <string_view>

#include "fuzz/seed_file.h"
#include "lesson/classroom/assignment.h"
#include "lesson/text/language.h"
#include "web/json_writer.h"

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
        section.Check(u"ЦЕЗАР", u"3");
        section.Hint();
        section.NextAssigned();
    }
    section.HandInWork({u"Мария Иванова", u"9а", u"5"});
    const std::u16string whole = section.Kept();
    // Whole, a line damaged, an exercise of a kind a later version knows, and forgotten.
    section.Forget();
    const std::u16string texts[] = {
        whole, std::u16string(whole).replace(whole.find(u"Подсказки"), 1, u"_"),
        std::u16string(whole).replace(whole.find(u" encrypt "), 9, u" later "), section.Kept()};
    bool written = true;
    for (std::size_t seed = 0; seed < std::size(texts); ++seed) {
        const std::string number = std::to_string(seed);
        const std::string kept = page::Quoted(texts[seed]);
        written = WriteUnitsSeed(root / "kept" / ("kept-" + number), texts[seed]) &&
                  WriteBytesSeed(root / "page" / ("restore-" + number),
                                 R"({"action":"restore","kept":)" + kept + "}") &&
                  WriteBytesSeed(root / "page" / ("keep-" + number),
                                 R"({"action":"keep","stored":)" + kept + "}") &&
                  written;
    }
    return written ? 0 : 1;
}

#endif
