// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/decimal_text.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_results.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/practice.h"
#include "lesson/classroom/student_names.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/language.h"
#include "lesson/text/spelled_letters.h"

namespace {

using cipher::DecimalText;
using lesson::AssignmentCode;
using lesson::ExerciseSection;

constexpr std::int64_t kMorning = 1765353790000;  // 2025-12-10T08:03:10Z
// One exercise of each kind from 100 on, in A to Z.
const lesson::SheetSettings kThree{&lesson::Languages().front(), 7, 3, 100};

bool Has(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
    const std::size_t at = text.find(from);
    return at == std::u16string::npos ? text : text.replace(at, from.size(), to);
}

bool Refuses(std::u16string_view code, std::u16string_view says) {
    const lesson::CodeReading read = lesson::ReadAssignmentCode(code);
    return !read.settings && Has(read.message, says);
}

std::u16string Right(const lesson::Exercise& e) {
    return e.kind == lesson::ExerciseKind::kEncrypt ? e.cipherLetters : e.plainLetters;
}

// The letters with the first made Q, which none of the exercises used here begins with.
std::u16string OneWrong(std::u16string letters) {
    letters[0] = u'Q';
    return letters;
}

// Variant 2 worked through: the first solved, the second one letter wrong a minute later, the
// third's key found with a hint and its answer then shown anyway.
void Work(ExerciseSection& section) {
    section.SetTime(kMorning);
    section.StartAssignment(AssignmentCode(kThree), u"2");
    section.Check(Right(section.Practised().Current()), u"");
    section.NextAssigned();
    section.SetTime(kMorning + 60000);
    section.Check(OneWrong(Right(section.Practised().Current())), u"");
    section.NextAssigned();
    section.Hint();
    section.Hint();
    section.Check(Right(section.Practised().Current()),
                  DecimalText(section.Practised().Current().key));
    section.Reveal();
}

std::u16string GoodFile(std::u16string_view className, std::u16string_view number,
                        std::int64_t at) {
    ExerciseSection section;
    Work(section);
    section.SetTime(at);
    return section.HandInWork({u"Иван Петров", std::u16string(className), std::u16string(number)})
        .text;
}

TEST(AssignmentCode, ReadsBackEverySettingAndCatchesCopyingMistakes) {
    // Both languages, sets of kinds on both sides of each hundred, whose count goes to the
    // first digit from 100 on, and the ends of both counts.
    constexpr std::uint32_t kKinds[] = {1, 2, 7, 63, 99, 100, 199, 200, 255};
    for (std::uint32_t n = 0; n < 2 * 9 * 2 * 2; ++n) {
        const lesson::SheetSettings set{&lesson::Languages()[n % 2], kKinds[n / 2 % 9],
                                        n / 18 % 2 == 0 ? 1 : 20, n / 36 == 0 ? 1 : 9999};
        const std::u16string code = AssignmentCode(set);
        EXPECT_EQ(code[0], u'1' + n % 2 + 2 * (set.kinds / 100)) << n;
        const std::u16string digits = code.substr(0, 3) + code.substr(4, 3) + code.substr(8);
        for (const std::u16string& typed :
             {code, digits, digits.substr(0, 5).append(u" -\t").append(digits.substr(5))}) {
            const auto read = lesson::ReadAssignmentCode(typed).settings;
            ASSERT_TRUE(read) << n;
            EXPECT_EQ(std::tuple(read->language, read->kinds, read->perSheet, read->first),
                      std::tuple(set.language, set.kinds, set.perSheet, set.first));
        }
        // A digit copied wrong, and two swapped but 09 and 90, which Luhn's digit cannot tell.
        for (std::size_t i = 0; i < digits.size(); ++i) {
            std::u16string slip = digits;
            slip[i] = static_cast<char16_t>(u'0' + (slip[i] - u'0' + 1 + i % 9) % 10);
            EXPECT_TRUE(Refuses(slip, u"сбъркана")) << n << ' ' << i;
            slip = digits;
            if (i + 1 < slip.size() && slip[i] != slip[i + 1] &&
                slip[i] + slip[i + 1] != u'0' + u'9') {
                std::swap(slip[i], slip[i + 1]);
                EXPECT_TRUE(Refuses(slip, u"сбъркана")) << n << ' ' << i;
            }
        }
    }
    const std::u16string_view refused[][2] = {{u"", u"Въведете кода"},
                                              {u" - ", u"Въведете кода"},
                                              {u"107-030-100x", u"„x“ не е цифра"},
                                              {u"107+030", u"„+“ не е цифра"},
                                              {u"107 030 100", u"тук са 9"},
                                              {u"107-030-10050", u"тук са 11"}};
    for (const auto& [typed, says] : refused) {
        EXPECT_TRUE(Refuses(typed, says)) << typed.size();
    }
    // A link's code is typed in for the student, unless it is the one typed already.
    EXPECT_TRUE(lesson::IsNewLinkedCode(u"103-054-7118", u"103 054 7117"));
    EXPECT_FALSE(lesson::IsNewLinkedCode(u"103 054-7118", u"код 1030547118") ||
                 lesson::IsNewLinkedCode(u"top", u"1") || lesson::IsNewLinkedCode(u"", u"1"));
    // Codes written before the kinds outgrew two digits read as they did.
    const struct {
        std::u16string_view code;
        std::size_t language;
        std::uint32_t kinds;
        std::int32_t perSheet, first;
    } earlier[] = {{u"101-010-0012", 0, 1, 1, 1},
                   {u"263-209-9996", 1, 63, 20, 9999},
                   {u"135-054-7111", 0, 35, 5, 4711},
                   {u"207-030-0013", 1, 7, 3, 1}};
    for (const auto& c : earlier) {
        const lesson::SheetSettings set{&lesson::Languages()[c.language], c.kinds, c.perSheet,
                                        c.first};
        const auto read = lesson::ReadAssignmentCode(c.code).settings;
        ASSERT_TRUE(read) << c.first;
        EXPECT_EQ(std::tuple(read->language, read->kinds, read->perSheet, read->first),
                  std::tuple(set.language, set.kinds, set.perSheet, set.first));
        EXPECT_EQ(AssignmentCode(set), c.code);
    }
    // With the one check digit that passes: a language, a set of kinds (their hundreds in the
    // first digit), a count or a first number that this version does not have.
    for (const std::u16string_view nine : {u"007030100", u"707030100", u"100030100", u"556030100",
                                           u"107000100", u"107210100", u"107030000"}) {
        std::u16string code = std::u16string(nine) + u'0';
        while (Refuses(code, u"сбъркана")) {
            ++code.back();
        }
        EXPECT_TRUE(Refuses(code, u"по-нова версия")) << static_cast<int>(code.back());
    }
}

// The student's variant is the printed sheet's, in its order and again from the first after
// the last, past 9999 too; a variant not read opens nothing.
TEST(Assignment, WalksTheVariantTheSheetPrints) {
    const std::vector kinds = {lesson::ExerciseKind::kDecrypt, lesson::ExerciseKind::kFindKey};
    for (const cipher::Alphabet* alphabet :
         {&cipher::LatinAlphabet(), &cipher::CyrillicAlphabet()}) {
        const lesson::TeacherSheet sheet =
            lesson::MakeTeacherSheet(kinds, u"7", u"40", u"9990", *alphabet);
        EXPECT_EQ(AssignmentCode(sheet), AssignmentCode(sheet.settings));
        EXPECT_EQ(AssignmentCode(lesson::MakeTeacherSheet(kinds, u"7", u"41", u"1", *alphabet)),
                  u"");
        for (const std::int32_t variant : {1, 2, 40}) {
            ExerciseSection section;
            section.StartAssignment(AssignmentCode(sheet.settings), DecimalText(variant));
            for (std::size_t place = 0; place <= 7; ++place) {
                const lesson::Exercise& printed = sheet.variants.at(variant - 1).at(place % 7);
                const lesson::Exercise& open = section.Practised().Current();
                EXPECT_EQ(section.Practised().FindsKey(),
                          open.kind == lesson::ExerciseKind::kFindKey);
                EXPECT_EQ(std::tuple(open.kind, open.number, open.alphabet),
                          std::tuple(printed.kind, printed.number, printed.alphabet))
                    << variant << ' ' << place;
                section.NextAssigned();
            }
        }
    }
    ExerciseSection section;
    for (const std::u16string_view variant : {u"0", u"41", u"x"}) {
        section.StartAssignment(AssignmentCode(kThree), variant);
        EXPECT_TRUE(section.AssignmentMessage() == lesson::VariantNote() && !section.Assigned());
    }
    section.NextAssigned();
    EXPECT_EQ(section.Practised().Current().number, 1);
    section.StartAssignment(u"1", u"1");
    EXPECT_TRUE(Has(section.AssignmentMessage(), u"тук са 1") && !section.Assigned());
    // The same assignment again goes on where the student was; another variant starts anew.
    for (const auto& [variant, place] :
         {std::pair(u"1", u"Упражнение 2 от 3"), std::pair(u"1", u"Упражнение 3 от 3"),
          std::pair(u"2", u"Упражнение 2 от 3")}) {
        section.StartAssignment(AssignmentCode(kThree), variant);
        section.NextAssigned();
        EXPECT_EQ(section.AssignedPlace(), place);
    }
}

// The file says what was done, when, and by whom; a student not named right hands in nothing,
// and is remembered as typed, on the device too.
TEST(HandIn, WritesWhatWasDoneAndReadsItBack) {
    ExerciseSection section;
    EXPECT_TRUE(Has(section.HandInWork({u"Ана", u"9а", u"1"}).message, u"първо въведете кода"));
    Work(section);
    section.SetTime(kMorning + 120000);
    const lesson::HandIn file = section.HandInWork({u"Иван П.", u"9а", u" 7"});
    EXPECT_EQ(file.fileName, u"9а-07-Иван П_.txt");
    EXPECT_EQ(section.HandInWork({u"Ann-Z z", u"12", u"12"}).fileName, u"12-12-Ann-Z z.txt");
    const std::optional<lesson::HandedIn> in = lesson::ReadHandedIn(file.text).handedIn;
    ASSERT_TRUE(in);
    EXPECT_EQ(std::tuple(in->student.name, in->student.className, in->number, in->code, in->variant,
                         in->handedAt),
              std::tuple(u"Иван П.", u"9а", 7, AssignmentCode(kThree), 2, u"2025-12-10T08:05:10Z"));
    std::u16string works;  // answer|key|hints|shown|opened|checked
    for (const lesson::ExerciseWork& work : in->works) {
        works += work.answer + u'|' + work.key + u'|' + DecimalText(work.hints) +
                 (work.shown ? u"|О|" : u"||") + work.opened.substr(11, 8) + u'|' +
                 work.checked.substr(11, 8) + u'\n';
    }
    const std::vector<lesson::Exercise> e = lesson::VariantExercises(kThree, 2);
    EXPECT_EQ(works, Right(e[0]) + u"||0||08:03:10|08:03:10\n" + OneWrong(Right(e[1])) +
                         u"||0||08:03:10|08:04:10\n" + Right(e[2]) + u'|' + DecimalText(e[2].key) +
                         u"|2|О|08:04:10|08:04:10\n");
    EXPECT_TRUE(Has(file.saved, u"„9а-07-Иван П_.txt“"));
    // Exercises never opened are handed in empty.
    ExerciseSection early;
    early.SetTime(253402300800000);  // past 9999: no time is written
    early.StartAssignment(AssignmentCode(kThree), u"1");
    const std::u16string unopened = early.HandInWork({u"Ана", u"9а", u"1"}).text;
    EXPECT_EQ(lesson::ReadHandedIn(unopened).handedIn->works.at(2).answer, u"");
    EXPECT_EQ(lesson::ReadHandedIn(unopened).handedIn->works.at(0).opened, u"");
    const std::u16string longest(61, u'я');
    const std::u16string_view refused[][4] = {{u" ", u"9а", u"7", u"Въведете името си."},
                                              {longest, u"9а", u"7", u"до 60 знака"},
                                              {u"<b>Ана</b>", u"9а", u"7", u"< и >"},
                                              {u"Ана", u"<9а>", u"7", u"< и >"},
                                              {u"Ана", u"", u"7", u"Въведете класа си."},
                                              {u"Ана", u"9а отличници", u"7", u"до 10 знака"},
                                              {u"Ана", u"9а", u"0", u"е цяло число от 1 до 99"},
                                              {u"Ана", u"9а", u"100", u"е цяло число от 1 до 99"},
                                              {u"Ана", u"9а", u"x", u"е цяло число от 1 до 99"},
                                              {u"Ана\u202e", u"9а", u"7", u"Името съдържа"},
                                              {u"Ана", u"9\u200bа", u"7", u"Класът съдържа"}};
    for (const auto& [name, className, number, says] : refused) {
        const lesson::Student student{std::u16string(name), std::u16string(className),
                                      std::u16string(number)};
        const lesson::HandIn refusal = section.HandInWork(student);
        EXPECT_TRUE(Has(refusal.message, says) && refusal.text.empty()) << name.size();
        EXPECT_EQ(section.StudentTyped().name, name);
        // What the device keeps, it reads back.
        ExerciseSection restored;
        restored.Restore(section.Kept());
        EXPECT_EQ(restored.Message(), u"")
            << "the work kept after refusing name " << name.size() << ", class " << className.size()
            << ", number " << number.size();
    }
}

// Each file the table cannot trust is skipped with why, and the others still counted.
TEST(ClassResults, SkipsEachBadFileSayingWhy) {
    const std::u16string good = GoodFile(u"9а", u"5", kMorning);
    std::u16string blocks;  // to 21 in all
    for (int i = 4; i <= 21; ++i) {
        blocks.append(u"Упражнение ").append(DecimalText(i)).append(u": x\n");
    }
    const std::u16string longName = std::u16string(u"Име: ").append(10000, u'И');
    const std::u16string answer = u"Отговор: " + Right(lesson::VariantExercises(kThree, 2)[0]);
    const std::u16string longAnswer = std::u16string(u"Отговор: ").append(505, u'A');
    std::u16string fields = u"Ключ: \n";  // 21 lines in a block
    for (int i = 0; i < 15; ++i) {
        fields.append(u"Ред").append(DecimalText(i)).append(u": x\n");
    }
    const std::u16string code = AssignmentCode(kThree);
    const std::u16string other = AssignmentCode({kThree.language, 7, 3, 200});
    const std::u16string_view at = u"Предадено: 2025-12-10T08:03:10Z";
    // The good file with its first `from` made `to`.
    const struct {
        std::u16string_view from, to, says;
        std::int64_t size;  // 0 for the text's own
    } cases[] = {
        {u"предадена работа", u"работа", u"не е предадена работа", 0},
        {u"\nКрай", u"", u"непълен е", 0},
        {u"", u"", u"по-голям е от 1 MB", (std::int64_t{1} << 20) + 1},
        {u"Край", blocks, u"повече от 20 упражнения", 0},
        {u"Край", u"Упражнение 4: x\nКрай", u"в него има 4 упражнения, а в заданието — 3", 0},
        {u"Име: ", longName, u"по-дълъг от 520 знака", 0},
        {u"Иван", u"<b>Иван</b>", u"< и >", 0},
        {u"Вариант: 2", u"Вариант: 41", u"„Вариант: 41“ е извън 1–40", 0},
        {u"класа: 5", u"класа: 100", u"Номерът в класа е цяло число", 0},
        {u"Подсказки: 0", u"Подсказки: 9", u"в упражнение 1: „Подсказки: 9“ е извън 0–3", 0},
        {u"Клас: 9а\n", u"Клас: 9а\nКлас: 9а\n", u"редът „Клас“ се среща два пъти", 0},
        {u"Упражнение 2:", u"Упражнение 3:", u"не са подредени", 0},
        {u"Формат: 1", u"Формат: 2", u"от друга версия на програмата е (формат 2)", 0},
        {u"Край\n", u"Край\nП.С.\n", u"след реда „Край“ има още текст", 0},
        {answer, longAnswer, u"по-дълъг от 500", 0},
        {u"Z\n", u"z\n", u"не е момент", 0},
        {u"Z\n", u"ZZ\n", u"не е момент", 0},
        {u"T08", u"Tx8", u"не е момент", 0},
        {u"Формат: 1\n", u"", u"липсва редът „Формат“", 0},
        {u"\nКрай", u"\n: x\nКрай", u"не е от вида", 0},
        {u"\nУпражнение 1", u"\nУпражнениеX 1", u"в него има 2 упражнения", 0},
        {u"Ключ: \n", fields, u"реда в един блок", 0},
        {code, u"123", u"кодът на заданието в него не е верен", 0},
        {code, other, u"той е за задание", 0},
        {at, u"Предадено: 9999-99-99T99:99:99Z", u"не е истинска дата и час", 0},
        {at, u"Предадено: 2026-02-30T08:03:10Z", u"не е истинска дата и час", 0},
        {at, u"Предадено: 2025-12-10T24:03:10Z", u"не е истинска дата и час", 0},
        {at, u"Предадено: 2025-12-10T08:60:10Z", u"не е истинска дата и час", 0},
        {at, u"Предадено: 2025-12-10T08:03:60Z", u"не е истинска дата и час", 0},
        {at, u"Предадено: 2019-12-31T23:59:59Z", u"е преди 2020 г.", 0},
        {at, u"Предадено: 2025-12-11T08:03:11Z", u"в бъдещето по часовника", 0},
        {at, u"Предадено: ", u"„Предадено: “ не е истинска дата и час", 0},
    };
    lesson::ClassResults results;
    results.SetTime(kMorning);
    results.Add(u"9а-05.txt", 0, good);
    for (const auto& c : cases) {
        const std::u16string text = Replaced(good, c.from, c.to);
        results.Add(u"f.txt", c.size != 0 ? c.size : static_cast<std::int64_t>(text.size()), text);
        EXPECT_TRUE(Has(results.Line(), u"„f.txt“ е пропуснат: ")) << (&c - cases);
        EXPECT_TRUE(Has(results.Line(), c.says)) << (&c - cases);
        EXPECT_EQ(results.Rows().size(), 1U) << (&c - cases);
    }
    // Lines ended as on Windows, and a blank line after the end.
    std::u16string windows;
    for (const char16_t c :
         Replaced(GoodFile(u"9а", u"16", kMorning), u"Ключ: \n", u"Ключ:\n") + u"\n") {
        windows += c == u'\n' ? std::u16string(u"\r\n") : std::u16string(1, c);
    }
    results.Add(u"9а-06.txt", 0, windows);
    EXPECT_EQ(results.Line(), u"");
    EXPECT_EQ(results.Rows().size(), 2U);
    results.Add(std::u16string(81, u'ф'), 0, u"");
    EXPECT_TRUE(Has(results.Line(), u"ф…“ е пропуснат: празен е."));
    results.Add(u"-1.txt", -1, good);
    EXPECT_TRUE(Has(results.Line(), u"„-1.txt“ е пропуснат"));
    results.AddUnread(u"u.txt", u"NotReadableError");
    EXPECT_EQ(results.Line(),
              u"„u.txt“ е пропуснат: браузърът не можа да го прочете (NotReadableError).");
    EXPECT_EQ(results.Summary(),
              u"Добавени файлове: 2. Заменили по-ранен файл: 0. Пропуснати: 35.");
    EXPECT_EQ(results.Caption(), u"Резултати на класа по задание " + code + u": 2 ученици");
    EXPECT_EQ(results.CsvFileName(), u"резултати-" + code + u".csv");
    lesson::ClassResults empty;
    empty.SortBy(9);
    EXPECT_EQ(empty.Caption() + empty.CsvFileName(), u"Резултати на класарезултати.csv");
    EXPECT_EQ(empty.Csv(), u"\ufeffКлас;№;Име;Вариант;Общо\r\nРешили;;;;0\r\n");
}

// The table trusts nothing but the letters: each answer is checked again, an answer shown
// never counts, and of a student's two files the one handed in later stays; two names of one
// class and number both stay, and are said. Its CSV is what a spreadsheet reads, a field never
// taken for a formula.
TEST(ClassResults, ChecksEveryAnswerAgainSortsAndWritesTheTable) {
    const std::u16string file = GoodFile(u"10б", u"3", kMorning + 1000);  // at 08:03:11
    const std::vector<lesson::Exercise> e = lesson::VariantExercises(kThree, 2);
    // One letter wrong: "39 от 40".
    const auto oneWrong = [](const std::u16string& right) {
        const auto letters = static_cast<std::int64_t>(right.size());
        return DecimalText(letters - 1) + u" от " + DecimalText(letters);
    };
    const std::u16string first = oneWrong(Right(e[0]));
    const std::u16string second = oneWrong(Right(e[1]));
    lesson::ClassResults results;
    // Solved when handed in, its letters since made wrong.
    results.Add(
        u"", 0,
        Replaced(Replaced(file, u"класа: 3", u"класа: 5"), Right(e[0]), OneWrong(Right(e[0]))));
    results.Add(u"", 0, Replaced(Replaced(file, u"10б", u"9а"), u"Иван", u"=Иван; \"Ив\""));
    results.Add(u"", 0, Replaced(file, u"Показан отговор: да", u"Показан отговор: не"));
    results.Add(u"по-рано.txt", 0, Replaced(file, u"08:03:11Z", u"08:03:09Z"));
    EXPECT_TRUE(Has(results.Line(), u"„по-рано.txt“ е пропуснат: в таблицата вече е „“"));
    results.SortBy(0);
    const auto csv = [](std::initializer_list<std::u16string_view> rows) {
        std::u16string text = u"\ufeffКлас;№;Име;Вариант;Упр. 1;Упр. 2;Упр. 3;Общо\r\n";
        for (const std::u16string_view row : rows) {
            text += row;
        }
        return text;
    };
    const std::u16string nine =
        u"9а;3;\"'=Иван; \"\"Ив\"\" Петров\";2;решено;" + second + u";решено П О;1\r\n";
    const std::u16string ten = u"10б;3;Иван Петров;2;решено;" + second + u";решено П;2\r\n";
    const std::u16string wrong =
        u"10б;5;Иван Петров;2;" + first + u';' + second + u";решено П О;0\r\n";
    EXPECT_EQ(results.Csv(), csv({nine, ten, wrong, u"Решили;;;;2;0;1;3\r\n"}));
    // By the total, and by an exercise: counted first, then solved with the answer shown.
    results.SortBy(5);
    EXPECT_EQ(results.Csv(), csv({nine, ten, wrong, u"Решили;;;;2;0;1;3\r\n"}));
    for (const std::size_t column : {7, 6}) {
        results.SortBy(column);
        EXPECT_EQ(results.Csv(), csv({ten, nine, wrong, u"Решили;;;;2;0;1;3\r\n"})) << column;
    }
    // By name and by variant, as they read; an exercise left undone but hinted.
    results.SortBy(2);
    EXPECT_EQ(results.Rows().front().handedIn.student.name, u"=Иван; \"Ив\" Петров");
    results.SortBy(3);
    EXPECT_TRUE(!results.Descending(3) && results.Descending(4));
    // None keeps the column; one that is not there is the first.
    results.SortBy(std::nullopt);
    EXPECT_EQ(results.SortedBy(), 3U);
    results.SortBy(-1);
    EXPECT_EQ(results.SortedBy(), 0U);
    lesson::ClassResults undone;
    undone.Add(u"", 0,
               Replaced(Replaced(file, u"Показан отговор: да", u"Показан отговор: не"),
                        u"Отговор: " + Right(e[2]), u"Отговор: "));
    EXPECT_EQ(undone.Rows().front().cells[2].text, u"— П");
    undone.Add(u"", 0,
               Replaced(Replaced(file, u"10б", u"Б"), u"Отговор: " + Right(e[2]), u"Отговор: "));
    EXPECT_EQ(undone.Rows().back().cells[2].text,
              u"0 от " + DecimalText(static_cast<std::int64_t>(Right(e[2]).size())) + u" П О");
    results.SortBy(0);
    results.Add(u"", 0, Replaced(file, u"08:03:11Z", u"08:03:12Z"));
    const std::u16string later = Replaced(ten, u"П;2", u"П О;1");
    EXPECT_EQ(results.Csv(), csv({nine, later, wrong, u"Решили;;;;2;0;0;2\r\n"}));
    const std::u16string_view fields[][2] = {{u"=1", u"'=1"},
                                             {u" =HYPERLINK(1)", u"' =HYPERLINK(1)"},
                                             {u"\u00a0+1", u"'\u00a0+1"},
                                             {u"\u3000@x", u"'\u3000@x"},
                                             {u"-", u"'-"},
                                             {u"\tx", u"'\tx"},
                                             {u"a=b", u"a=b"},
                                             {u"", u""},
                                             {u"a;b", u"\"a;b\""}};
    for (const auto& [field, written] : fields) {
        EXPECT_EQ(lesson::CsvField(field), written) << (&field - &fields[0][0]) / 2;
    }
    // A student is the class, as ClassKey compares it, and the number: of one name the file
    // handed in later stays, up to a day past the teacher's clock.
    constexpr std::int64_t kDay = 86400000;
    const struct {
        std::u16string_view class1, name1, class2, name2;
        std::int64_t later;  // the second file's moment past the first's
        std::size_t rows;
        std::u16string_view says;  // of the second file
    } pairs[] = {
        {u"9а", u"Мария Иванова", u"9а", u"Мария И.", 1000, 2,
         u"„a.txt“ и „b.txt“ са за 9а, № 1, но с различни имена: „Мария Иванова“ и „Мария И.“."},
        {u"9А", u"Мария Иванова", u"9 а", u"Мария Иванова", kDay, 1, u"„b.txt“ замества „a.txt“"},
        {u"9а", u"Мария Иванова", u"9а", u"Мария Иванова", -1000, 1, u"„b.txt“ е пропуснат"},
        {u"9а", u"Мария Иванова", u"9а", u"Мария Иванова", 0, 1, u"„b.txt“ е пропуснат"},
        {u"9а", u"Мария Иванова", u"9б", u"Мария Иванова", 0, 2, u""},
    };
    lesson::ClassResults students;
    students.SetTime(kMorning);
    for (const auto& p : pairs) {
        const std::u16string number = DecimalText(&p - pairs + 1);
        const std::size_t before = students.Rows().size();
        students.Add(u"a.txt", 0,
                     Replaced(GoodFile(p.class1, number, kMorning), u"Иван Петров", p.name1));
        students.Add(
            u"b.txt", 0,
            Replaced(GoodFile(p.class2, number, kMorning + p.later), u"Иван Петров", p.name2));
        EXPECT_TRUE(Has(students.Line(), p.says) && students.Line().empty() == p.says.empty())
            << (&p - pairs);
        EXPECT_EQ(students.Rows().size(), before + p.rows) << (&p - pairs);
    }
    EXPECT_EQ(students.Summary(),
              u"Добавени файлове: 7. Заменили по-ранен файл: 1. Пропуснати: 2.");
    students.SortBy(0);
    students.Remove(0);
    EXPECT_EQ(students.Summary(), u"Редът на Мария Иванова, 9а, № 1 е премахнат.");
    EXPECT_EQ(lesson::ClassResults::RemoveLabel(students.Rows().front()),
              u"Премахни Мария И., 9а, № 1");
    // Cleared, the table takes another assignment, its exercises its own.
    students.Clear();
    const std::u16string other = AssignmentCode({kThree.language, 7, 3, 200});
    students.Add(u"", 0, Replaced(GoodFile(u"9а", u"1", kMorning), AssignmentCode(kThree), other));
    EXPECT_TRUE(students.Rows().size() == 1 && students.Code() == other);
    EXPECT_NE(students.Rows().front().cells[0].text, u"решено");
    students.Remove(1);
    students.Remove(0);
    EXPECT_TRUE(students.Rows().empty() && students.Code().empty());
}

// A name that hides a character, or turns the text around, is refused with the character's
// code and never the character; so is one without a letter. Blanks of any kind are tidied.
TEST(StudentNames, RefusesHiddenCharactersAndTextsWithoutLetters) {
    const std::u16string_view refused[][3] = {
        // typed, the character, what is said
        {u"Мария\u202eИванова", u"\u202e", u"(U+202E)"},
        {std::u16string_view(u"Ана\0", 4), std::u16string_view(u"\0", 1), u"(U+0000)"},
        {u"\u00a0\u200b", u"\u200b", u"(U+200B)"},
        {u"Ма\u200bрия", u"\u200b", u"(U+200B)"},
        {u"\ufeffМария", u"\ufeff", u"(U+FEFF)"},
        {u"Мария\U000E0041", u"\U000E0041", u"(U+E0041)"},
        {u"Мария\xD800", u"\xD800", u"(U+D800)"},
        {u"Мария\xD800x", u"\xD800", u"(U+D800)"},
        {u"Мария\xDC00", u"\xDC00", u"(U+DC00)"},
        {u"12345", u"", u"поне една буква"}};
    for (const auto& [typed, hidden, says] : refused) {
        const std::u16string fault = lesson::NameFault(u"Името", typed);
        EXPECT_TRUE(fault.starts_with(u"Името ") && Has(fault, says))
            << (&typed - &refused[0][0]) / 3;
        EXPECT_TRUE(hidden.empty() || !Has(fault, hidden)) << (&typed - &refused[0][0]) / 3;
    }
    for (const std::u16string_view typed :
         {u"  Мария   Иванова ", u"\u3000Мария\t\u00a0Иванова\u2003",
          u"Мария\u1680\u202f\u205f\u200aИванова\U0001D400"}) {
        EXPECT_EQ(lesson::TidiedName(typed).substr(0, 13), u"Мария Иванова");
    }
    EXPECT_EQ(lesson::NameFault(u"Класът", u"12", false), u"");
    EXPECT_EQ(lesson::NameFault(u"Името", u"\U0001D400 Мария"), u"");
    EXPECT_EQ(lesson::ClassKey(u" 9\u00a0ЀZ\u00c0\u00d7\u00de\u00dfЯя"),
              u"9ѐzà\u00d7\u00fe\u00dfяя");
}

// A substitution's hints are those of solving one by hand, three of them, given again when
// the work is read back; a wrong letter is shown with the key's line for it, and no shift is
// named as its cause.
TEST(Practice, HintsASubstitutionAndMarksItsLetters) {
    const lesson::Exercise exercise =
        *lesson::MakeExercise(lesson::ExerciseKind::kSolveSubstitution, 7);
    lesson::Practice practice(exercise, lesson::ExerciseWork{});
    const lesson::WorkMoment now{u"2026-12-11T10:00:00Z", 1};
    EXPECT_TRUE(practice.Hint(now).starts_with(u"Подсказка 1: Най-честите букви в шифъра"));
    practice.Hint(now);
    EXPECT_TRUE(practice.Hint(now).starts_with(u"Подсказка 3: Буквата "));
    EXPECT_EQ(practice.Hint(now), u"Няма повече подсказки.");
    const lesson::Practice reloaded(exercise, practice.Work());
    EXPECT_EQ(reloaded.SolvingHints(), practice.SolvingHints());
    EXPECT_FALSE(reloaded.Shows(lesson::Practice::HintStep::kChart));
    EXPECT_NE(reloaded.TaskSaid().find(lesson::SpelledLetters(exercise.cipherLetters)),
              std::u16string::npos);
    std::u16string answer = exercise.plainLetters;
    answer[0] = answer[0] == u'A' ? u'B' : u'A';
    practice.Check(answer, u"", now);
    const lesson::LetterMark& wrong = practice.LastCheck().letters.marks.front();
    EXPECT_EQ(wrong.line,
              cipher::SubstitutionLine(cipher::LatinAlphabet(), exercise.mixed,
                                       exercise.cipherLetters[0], cipher::Direction::kDecrypt));
    EXPECT_FALSE(practice.LastCheck().diagnosis.has_value());
}

// What the device keeps comes back whole; a damaged text changes nothing but the message, and
// forgetting leaves a new device.
TEST(ExerciseSection, KeepsItsWorkAsText) {
    ExerciseSection worked;
    Work(worked);
    worked.HandInWork({u"Ана", u"9а", u"7"});
    worked.NextAssigned();
    worked.Type(u"typed", u"4");
    const std::u16string kept = worked.Kept();
    ExerciseSection restored;
    restored.Restore(kept);
    EXPECT_EQ(restored.Kept(), kept);
    const auto shown = [](const ExerciseSection& s) {
        return std::tuple(s.Message(), s.Practised().Current().number, s.Practised().Work().answer,
                          s.Practised().Work().key, s.Practised().Work().solved, s.Score(),
                          s.AssignedPlace(), s.Assigned()->code, s.StudentTyped().name,
                          s.Practised().Work().hints, s.Practised().AnswerLine());
    };
    for (int step = 0; step < 3; ++step) {
        EXPECT_EQ(shown(restored), shown(worked)) << step;
        restored.NextAssigned();
        worked.NextAssigned();
    }
    // A text that is not kept work at all changes nothing but the message.
    const std::u16string pastCap = std::u16string(lesson::kKeptCap, u'я') + u"\nКрай";
    const std::u16string_view unread[][2] = {{u"работата на това", u"предадена работа"},
                                             {u"Формат: 1", u"Формат: 2"},
                                             {u"Формат: 1\n", u""},
                                             {u"\nКрай", pastCap}};
    for (const auto& [from, to] : unread) {
        ExerciseSection section = worked;
        section.Restore(Replaced(kept, from, to));
        EXPECT_TRUE(Has(section.Message(), u"повредена")) << from.size();
        EXPECT_EQ(section.Kept(), worked.Kept()) << from.size();
    }
    const std::u16string longAnswer = u"Отговор: " + std::u16string(600, u'я');
    // As long as a line may be, but without the space after its colon: written back with it, it
    // would be too long to read back.
    const std::u16string fullLineUnspaced = u"Номер в класа:" + std::u16string(506, u'7');
    // One damaged line costs no more than its own exercise: the others are read, and its block
    // is set aside, said, and written back as it was.
    const struct {
        std::u16string_view from, to;
        std::size_t works;
        std::u16string_view note;
    } lines[] = {
        {u"Отговор: typed", longAnswer, 2, u"1 упражнение с повреден ред"},
        {u"\nКлюч: 4", u"\nКлюч:4\nКлюч: 4", 2, u"1 упражнение с повреден ред"},
        {u"\nИме:", u"\nУпражнение\nИме:", 3, u"Повреден ред в началото"},
        {u"Име: Ана\n", u"", 3, u""},
        {u"\nКрай", u"", 3, u""},
        {u"\n\nУпражнение decrypt", u"\nУпражнение decrypt", 3, u""},
        {u"\nИме:", u"\nбез смисъл\nИме:", 3, u"Повреден ред в началото"},
        {u"Номер в класа: 7", fullLineUnspaced, 3, u"Повреден ред в началото"},
        {u"\nОтворено упражнение", u"\nИзчистено: x\nОтворено упражнение", 3, u"Повреден ред"},
        {u"упражнение: encrypt", u"упражнение: substitute", 3, u"Повреден ред"},
        {u"Задание: ", u"Заданиe: ", 3, u"Повреден ред"},
        {u"Вариант: ", u"Вариантт: ", 3, u"Повреден ред"},
        {u"Място в", u"Място във", 3, u"Повреден ред"},
        {u"Задание: 1", u"Задание: 2", 3, u"Повреден ред"},
        {u"Вариант: 2", u"Вариант: 99", 3, u"Повреден ред"},
        {u"Изменено: 1", u"Изменено: 1234567890123456", 2, u"1 упражнение с повреден ред"},
        {u" latin 104", u" latin 0", 2, u"1 упражнение с повреден ред"},
        {u"заданието: 1", u"заданието: 4", 3, u"проверете името, класа и заданието"},
        {u"Решено: да", u"Решено: може би", 2, u"Не са заредени 1 упражнение с повреден ред."},
        {u"Подсказки: 0", u"Подсказки: 99", 2, u"1 упражнение с повреден ред"},
        {u"Изменено: 1", u"Изменено: x", 2, u"1 упражнение с повреден ред"},
        {u"\nКлюч: 4", u"\nКлюч 4", 2, u"1 упражнение с повреден ред"},
        {u"\nУпражнение decrypt", u"\nУпражнениe decrypt", 2, u"1 упражнение с повреден ред"},
        {u" latin 104", u" greek 104", 2, u"1 упражнение от по-нова версия на програмата."},
    };
    for (const auto& c : lines) {
        const std::u16string damaged = Replaced(kept, c.from, c.to);
        ExerciseSection section;
        section.Restore(damaged);
        EXPECT_EQ(lesson::ReadKept(damaged).progress->works.size(), c.works) << c.to.size();
        EXPECT_TRUE(c.note.empty() ? section.KeptNote().empty() : Has(section.KeptNote(), c.note))
            << c.to.size();
        EXPECT_EQ(section.Message(), u"") << c.to.size();
        EXPECT_TRUE(c.works == 3 || Has(section.Kept(), c.to)) << c.to.size();
    }
    restored.Forget();
    EXPECT_EQ(restored.Kept(), ExerciseSection().Kept());
    // Past the most it keeps, the first exercises worked on are forgotten, but never the
    // assignment's, which is begun first.
    restored.StartAssignment(AssignmentCode(kThree), u"1");
    restored.Type(u"assigned", u"");
    for (int number = 1; number <= 201; ++number) {
        restored.Open(lesson::ExerciseKind::kEncrypt, DecimalText(number),
                      cipher::CyrillicAlphabet());
        restored.Type(u"a", u"");
    }
    EXPECT_TRUE(Has(restored.Kept(), u"Отговор: assigned\n"));
    EXPECT_FALSE(Has(restored.Kept(), u"Упражнение encrypt cyrillic 2\n"));
    EXPECT_TRUE(Has(restored.Kept(), u"Упражнение encrypt cyrillic 3\n"));
    EXPECT_EQ(restored.Score(), u"Решени: 0 от 0 (0 с подсказка)");
    restored.Open(lesson::ExerciseKind::kEncrypt, u"2", cipher::CyrillicAlphabet());
    EXPECT_EQ(restored.Practised().Work().answer, u"");
    ExerciseSection plain;
    plain.Restore(ExerciseSection().Kept());
    EXPECT_TRUE(plain.Message().empty() && !plain.Assigned());
}

// Tabs of one browser share what is kept: each saves by merging what is stored, exercise by
// exercise, the later change winning but for the exercise open in the tab; forgetting in one is
// taken by the others, and none brings the old work back.
TEST(ExerciseSection, MergesTheWorkOfTabs) {
    std::u16string stored;
    const auto save = [&stored](ExerciseSection& tab) {
        tab.Merge(stored);
        stored = tab.Kept();
    };
    const auto work = [](ExerciseSection& tab, int number, std::int64_t at,
                         std::u16string_view answer) {
        tab.SetTime(at);
        tab.Open(lesson::ExerciseKind::kEncrypt, DecimalText(number));
        tab.Type(answer, u"");
    };
    const auto answers = [](ExerciseSection tab) {
        std::u16string found;
        for (const int number : {11, 12, 13}) {
            tab.Open(lesson::ExerciseKind::kEncrypt, DecimalText(number));
            found += tab.Practised().Work().answer + u' ';
        }
        return found;
    };
    ExerciseSection a;
    ExerciseSection b;
    work(a, 11, kMorning, u"A11");
    save(a);
    work(b, 12, kMorning + 1000, u"B12");
    save(b);
    work(a, 13, kMorning + 2000, u"A13");
    save(a);
    ExerciseSection third;
    third.Restore(stored);
    EXPECT_EQ(answers(third), u"A11 B12 A13 ");
    work(b, 11, kMorning + 3000, u"B11");
    work(b, 13, kMorning + 4000, u"B13");
    save(b);
    EXPECT_EQ(a.Merge(stored), ExerciseSection::Merged::kWork);
    EXPECT_EQ(a.Practised().Work().answer, u"A13");
    EXPECT_EQ(answers(a), u"B11 B12 A13 ");
    EXPECT_EQ(a.Merge(u"не е запазена работа"), ExerciseSection::Merged::kUnreadable);
    // Nothing kept yet is nothing to take in.
    EXPECT_EQ(a.Merge(u""), ExerciseSection::Merged::kWork);
    // Forgotten in one tab: the other takes it, and its save, or a third's that never heard of
    // it, writes none of the old work back.
    b.HandInWork({u"Ана", u"9а", u"7"});
    b.StartAssignment(AssignmentCode(kThree), u"2");
    save(b);
    a.Merge(stored);
    EXPECT_EQ(a.Assigned()->variant, 2);
    a.SetTime(kMorning + 5000);
    a.Forget();
    save(a);
    EXPECT_FALSE(Has(stored, u"Ана"));
    work(b, 14, kMorning + 6000, u"B14");
    EXPECT_EQ(b.Merge(stored), ExerciseSection::Merged::kForgotten);
    EXPECT_EQ(b.Practised().Work().answer, u"B14");
    EXPECT_EQ(answers(b), u"   ");
    save(third);
    ExerciseSection fourth;
    fourth.Restore(stored);
    EXPECT_EQ(answers(fourth), u"   ");
    EXPECT_FALSE(Has(stored, u"Отговор: A"));
}

}  // namespace

// Of two blocks of one exercise the later stays; blocks set aside are said by kind and kept up
// to the cap, in reading and in merging, the latest staying.
TEST(ExerciseSection, ReadsTheLaterOfTwoBlocksAndSetsAsideUpToTheCap) {
    ExerciseSection section;
    section.SetTime(kMorning);
    section.Type(u"early", u"");
    const std::u16string early = section.Kept();
    section.SetTime(kMorning + 1000);
    section.Type(u"late", u"");
    const auto block = [](const std::u16string& text) {
        const std::size_t from = text.find(u"\nУпражнение");
        return text.substr(from, text.find(u"\nКрай") - from);
    };
    const std::u16string blocks[] = {block(early), block(section.Kept())};
    for (const bool lateFirst : {false, true}) {
        const std::u16string text =
            Replaced(early, blocks[0], blocks[lateFirst ? 1 : 0] + blocks[lateFirst ? 0 : 1]);
        EXPECT_EQ(lesson::ReadKept(text).progress->works.at(0).answer, u"late") << lateFirst;
    }
    std::u16string setAside = u"\nУпражнение substitute latin 5\n\nУпражнение substitute latin 6\n";
    for (int number = 0; number <= 200; ++number) {
        setAside += u"\nУпражнение " + DecimalText(number) + u"\n";
    }
    const std::u16string text = Replaced(early, u"\nКрай", setAside + u"\nКрай");
    const lesson::KeptReading reading = lesson::ReadKept(text);
    EXPECT_EQ(lesson::SetAsideNote(reading),
              u"Не са заредени 2 упражнения от по-нова версия на програмата и 201 упражнения с "
              u"повредени редове. Те се пазят на това устройство непроменени; останалата работа "
              u"е заредена.");
    EXPECT_EQ(reading.progress->setAside.size(), lesson::kMostWorks);
    ExerciseSection tab;
    tab.Restore(text);
    tab.Merge(Replaced(early, u"\nКрай", u"\nУпражнение нов\n\nУпражнение 200\n\nКрай"));
    EXPECT_TRUE(Has(tab.Kept(), u"\nУпражнение нов\n"));
    EXPECT_FALSE(Has(tab.Kept(), u"\nУпражнение 1\n"));
}
