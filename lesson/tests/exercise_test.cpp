// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/alphabet_trace.h"
#include "cipher/decimal_text.h"
#include "cipher/substitution.h"
#include "cipher/vigenere.h"
#include "lesson/classroom/exercise_section.h"
#include "lesson/classroom/practice.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/work_check.h"
#include "lesson/text/english_phrases.h"
#include "lesson/text/key_words.h"
#include "lesson/text/language.h"

namespace {

using lesson::ExerciseKind;
using Kind = lesson::LetterMark::Kind;

// A teacher's "everyone do 4711" means the same sentence and key on every machine, and in
// every later version: sheets printed once stay right.
TEST(MakeExercise, GivesTheSameExerciseForTheSameNumber) {
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    const struct {
        ExerciseKind kind;
        const cipher::Alphabet& alphabet;
        std::int32_t number, key;
        std::u16string plain, cipherLetters;
    } cases[] = {
        {ExerciseKind::kEncrypt, latin, 4711, 10, u"One swallow does not make a summer.",
         u"YXOCGKVVYGNYOCXYDWKUOKCEWWOB"},
        {ExerciseKind::kDecrypt, latin, 1, 15, u"Many trees lose their leaves in the autumn.",
         u"BPCNIGTTHADHTIWTXGATPKTHXCIWTPJIJBC"},
        {ExerciseKind::kFindKey, latin, 9999, 4,
         u"Time flies when you are having fun. Waste not, want not. When in Rome, do as the "
         u"Romans do.",
         u"XMQIJPMIWALIRCSYEVILEZMRKJYRAEWXIRSXAERXRSXALIRMRVSQIHSEWXLIVSQERWHS"},
        {ExerciseKind::kEncrypt, cyrillic, 4711, 6,
         u"Земята обикаля около Слънцето за една година.",
         u"НЛТЕШЖФЗОРЖСЕФРФСФЧСВУЮЛШФНЖЛКУЖЙФКОУЖ"},
        {ExerciseKind::kDecrypt, cyrillic, 1, 3, u"Дунав тече по северната граница на България.",
         u"ЗЦРГЕХИЪИТСФИЕИУРГХГЖУГРЛЩГРГДЯОЖГУЛВ"},
        {ExerciseKind::kFindKey, cyrillic, 9999, 10,
         u"Не питай старо, питай патило. На харизан кон зъбите не се гледат. И петте пръста на "
         u"ръката не са еднакви.",
         u"ЧПЩТЮКУЬЮКЪШЩТЮКУЩКЮТХШЧКБКЪТСКЧФШЧСЖЛТЮПЧПЬПНХПОКЮТЩПЮЮПЩЪЖЬЮКЧКЪЖФКЮКЧПЬКПОЧКФМТ"},
    };
    for (const auto& c : cases) {
        const std::optional<lesson::Exercise> exercise =
            lesson::MakeExercise(c.kind, c.number, c.alphabet);
        ASSERT_TRUE(exercise.has_value());
        EXPECT_EQ(exercise->key, c.key);
        EXPECT_EQ(exercise->plain, c.plain) << c.number;
        EXPECT_EQ(exercise->cipherLetters, c.cipherLetters) << c.number;
    }
    for (const std::int32_t outside : {0, -1, 10000}) {
        EXPECT_FALSE(lesson::MakeExercise(ExerciseKind::kEncrypt, outside).has_value());
    }
}

// FNV-1a over the key, the key word and the sentences of every number of each kind: one number
// for all that the exercises of those kinds give out in a language.
std::uint64_t DigestOfEveryExercise(const lesson::Language& language,
                                    std::span<const ExerciseKind> kinds) {
    std::uint64_t digest = 0xcbf29ce484222325U;
    const auto add = [&digest](std::uint64_t unit) { digest = (digest ^ unit) * 0x100000001b3U; };
    for (const ExerciseKind kind : kinds) {
        for (std::int32_t number = lesson::kFirstExercise; number <= lesson::kLastExercise;
             ++number) {
            const lesson::Exercise exercise = *lesson::MakeExercise(kind, number, language);
            add(static_cast<std::uint64_t>(exercise.key));
            for (const char16_t unit : exercise.keyWord + exercise.plain) {
                add(unit);
            }
        }
    }
    return digest;
}

constexpr ExerciseKind kCaesarKinds[] = {ExerciseKind::kEncrypt, ExerciseKind::kDecrypt,
                                         ExerciseKind::kFindKey};
constexpr ExerciseKind kKeyWordKinds[] = {ExerciseKind::kEncryptKeyWord,
                                          ExerciseKind::kDecryptKeyWord};
constexpr ExerciseKind kSubstitutionKinds[] = {ExerciseKind::kEncryptSubstitution,
                                               ExerciseKind::kSolveSubstitution};

// Every exercise of both languages as first given out; a sentence or a key word added to
// either list later changes none of them.
TEST(MakeExercise, KeepsEveryNumbersExerciseWhenSentencesAreAdded) {
    // A to Z, then the Bulgarian alphabet: the Caesar kinds, those with a key word, then the
    // substitution's.
    const std::uint64_t digests[][3] = {
        {0x05275b26301ea0f4U, 0x0d2ffd10c3b8e1e0U, 0x585a1866b845a06cU},
        {0x0a0a031e43c34237U, 0x68c1cf226fe0f350U, 0x4c1a96a4813b850fU}};
    const std::span<const ExerciseKind> groups[] = {kCaesarKinds, kKeyWordKinds,
                                                    kSubstitutionKinds};
    ASSERT_EQ(lesson::Languages().size(), std::size(digests));
    for (std::size_t i = 0; i < std::size(digests) * 3; ++i) {
        const lesson::Language& language = lesson::Languages()[i / 3];
        const std::span<const ExerciseKind> kinds = groups[i % 3];
        const std::uint64_t digest = DigestOfEveryExercise(language, kinds);
        std::printf("%s: digest %016llx\n",
                    std::string(language.name.begin(), language.name.end()).c_str(),
                    static_cast<unsigned long long>(digest));
        EXPECT_EQ(digest, digests[i / 3][i % 3]);
        lesson::Language longer = language;
        std::vector<std::string_view> ascii(language.sentences.ascii.begin(),
                                            language.sentences.ascii.end());
        std::vector<std::u16string_view> utf16(language.sentences.utf16.begin(),
                                               language.sentences.utf16.end());
        if (ascii.empty()) {
            utf16.emplace_back(u"Изречение, добавено по-късно.");
        } else {
            ascii.emplace_back("A sentence added later.");
        }
        longer.sentences.ascii = ascii;
        longer.sentences.utf16 = utf16;
        std::vector<std::string_view> asciiWords(language.keyWords.ascii.begin(),
                                                 language.keyWords.ascii.end());
        std::vector<std::u16string_view> utf16Words(language.keyWords.utf16.begin(),
                                                    language.keyWords.utf16.end());
        if (asciiWords.empty()) {
            utf16Words.emplace_back(u"ПОСЛЕ");
        } else {
            asciiWords.emplace_back("LATER");
        }
        longer.keyWords.ascii = asciiWords;
        longer.keyWords.utf16 = utf16Words;
        EXPECT_EQ(DigestOfEveryExercise(longer, kinds), digest);
    }
}

// Every number of every kind: lengths, keys and key words in range, and every sentence and key
// word given out.
TEST(MakeExercise, StaysInRangeAndUsesEverySentence) {
    for (const ExerciseKind kind :
         {ExerciseKind::kEncrypt, ExerciseKind::kDecrypt, ExerciseKind::kFindKey,
          ExerciseKind::kEncryptKeyWord, ExerciseKind::kDecryptKeyWord,
          ExerciseKind::kEncryptSubstitution, ExerciseKind::kSolveSubstitution}) {
        const bool toBreak = kind == ExerciseKind::kFindKey;
        const bool toSolve = kind == ExerciseKind::kSolveSubstitution;
        const bool substitutes = lesson::Substitutes(kind);
        const bool keyWord = lesson::HasKeyWord(kind) || substitutes;
        std::set<std::u16string> keyWords;
        std::set<std::string> used;
        std::size_t shortest = 1000;
        std::size_t longest = 0;
        for (std::int32_t number = lesson::kFirstExercise; number <= lesson::kLastExercise;
             ++number) {
            const lesson::Exercise exercise = *lesson::MakeExercise(kind, number);
            if (keyWord) {
                keyWords.insert(exercise.keyWord);
                ASSERT_EQ(exercise.key, 0);
                ASSERT_EQ(
                    exercise.cipherLetters,
                    substitutes
                        ? cipher::Substituted(
                              cipher::LatinAlphabet(),
                              cipher::MixedAlphabet(cipher::LatinAlphabet(), exercise.keyWord),
                              exercise.plainLetters, cipher::Direction::kEncrypt)
                        : cipher::KeyWordShifted(cipher::LatinAlphabet(), exercise.plainLetters,
                                                 exercise.keyWord, cipher::Direction::kEncrypt));
            } else {
                ASSERT_GE(exercise.key, 1);
                ASSERT_LE(exercise.key, 25);
            }
            shortest = std::min(shortest, exercise.plainLetters.size());
            longest = std::max(longest, exercise.plainLetters.size());
            ASSERT_EQ(exercise.cipherLetters.size(), exercise.plainLetters.size());
            for (const std::string_view phrase : lesson::EnglishPhrases()) {
                if (exercise.plain.find(std::u16string(phrase.begin(), phrase.end())) !=
                    std::u16string::npos) {
                    used.insert(std::string(phrase));
                }
            }
        }
        std::printf("kind %d: %zu to %zu letters, %zu of %zu sentences used\n",
                    static_cast<int>(kind), shortest, longest, used.size(),
                    lesson::EnglishPhrases().size());
        EXPECT_GE(shortest, toSolve ? 120U : toBreak ? 60U : 12U);
        EXPECT_LE(longest, toSolve ? 170U : toBreak ? 150U : 50U);
        EXPECT_EQ(used.size(), lesson::kEnglishPhrasesDrawn);
        EXPECT_EQ(keyWords.size(), keyWord ? lesson::kEnglishKeyWordsDrawn : 0);
    }
}

// Letters only count, aligned so that a letter left out or put in is reported as such.
TEST(CheckAnswer, MarksEachLetterAndAlignsMissingAndExtraOnes) {
    const struct {
        std::u16string answer;
        std::u16string kinds;  // R right, W wrong, M missing, X extra
        std::u16string summary;
    } cases[] = {
        {u"DEFBC", u"RRRRR", u"5 от 5 букви са верни"},
        {u"DEFAC", u"RRRWR", u"4 от 5 букви са верни"},
        {u"DEBC", u"RRMRR", u"4 от 5 букви са верни"},
        {u"DEFFBC", u"RRRXRR", u"5 от 5 букви са верни, 1 буква е излишна"},
        {u"DEFFFBCC", u"RRRXXRRX", u"5 от 5 букви са верни, 3 букви са излишни"},
        {u"DЕFВс", u"RRRRR", u"5 от 5 букви са верни"},  // Cyrillic Е, В and с
        {u"d e-f, b!c", u"RRRRR", u"5 от 5 букви са верни"},
        {u"", u"MMMMM", u"0 от 5 букви са верни"},
        {u"Dx", u"RWMMM", u"1 от 5 букви е вярна"},
    };
    for (const auto& c : cases) {
        const lesson::AnswerCheck check =
            lesson::CheckAnswer(c.answer, u"ABCYZ", 3, lesson::Direction::kEncrypt);
        std::u16string kinds;
        for (const lesson::LetterMark& mark : check.marks) {
            kinds += u"RWMX"[static_cast<std::size_t>(mark.kind)];
        }
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(check.summary, c.summary);
    }
    EXPECT_EQ(lesson::CheckAnswer(u"D", u"A", 3, lesson::Direction::kEncrypt).summary,
              u"1 от 1 буква е вярна");
    // A wrong letter gets its line as the window's trace writes it, both ways.
    const lesson::AnswerCheck encrypted =
        lesson::CheckAnswer(u"DEFAC", u"ABCYZ", 3, lesson::Direction::kEncrypt);
    EXPECT_EQ(encrypted.marks[3].line, u"Y + 3 = 89 + 3 = 66 -> B");
    EXPECT_EQ(encrypted.marks[3].place, 4U);
    const lesson::AnswerCheck decrypted =
        lesson::CheckAnswer(u"AYZ", u"DBC", 3, lesson::Direction::kDecrypt);
    EXPECT_EQ(decrypted.right, 3U);
    const lesson::AnswerCheck missing =
        lesson::CheckAnswer(u"AZ", u"DBC", 3, lesson::Direction::kDecrypt);
    ASSERT_EQ(missing.marks[1].kind, Kind::kMissing);
    EXPECT_EQ(missing.marks[1].line, u"B - 3 = 66 + 23 = 89 -> Y");
}

TEST(CheckKey, ReadsTheKeyAsTheWindowReadsTheOffset) {
    const struct {
        std::u16string typed;
        bool right;
        std::u16string note;
    } cases[] = {
        {u"3", true, u""},
        {u"\t29\n", true, u"29 е същото като 3"},
        {u" 29 ", true, u"29 е същото като 3"},
        {u"-23", true, u"-23 е същото като 3"},
        {u"4", false, u""},
        {u"", false, u""},
        {u"99999999999", false, u"Ключът е твърде голям."},
    };
    for (const auto& c : cases) {
        const lesson::KeyCheck check = lesson::CheckKey(c.typed, 3);
        EXPECT_EQ(check.right, c.right);
        EXPECT_EQ(check.note, c.note);
    }
}

// A visit: a bad number, each kind answered wrong and then right, the hints, the answer shown,
// and the score, with what a screen reader hears.
TEST(ExerciseSection, ChecksHintsRevealsAndKeepsTheScore) {
    lesson::ExerciseSection section;
    EXPECT_EQ(section.Practised().Current().number, 1);
    section.Open(ExerciseKind::kDecrypt, u"12a");
    EXPECT_EQ(section.Message(), u"Номерът на упражнението е цяло число от 1 до 9999.");
    EXPECT_EQ(section.Practised().Current().kind, ExerciseKind::kEncrypt);
    EXPECT_FALSE(section.NumberAccepted());
    section.Hint();  // the refused number's note goes with the next action
    EXPECT_TRUE(section.NumberAccepted() && section.Message().empty());
    section.Open(ExerciseKind::kDecrypt, u"12a");
    for (const std::u16string_view bad : {u"", u"0", u"1-2", u"10000", u"99999999999"}) {
        section.Open(ExerciseKind::kDecrypt, bad);
        EXPECT_FALSE(section.Message().empty());
    }

    section.Open(ExerciseKind::kDecrypt, u" 2 ");
    EXPECT_TRUE(section.NumberAccepted() && section.Practised().AnswerLine().empty());
    EXPECT_EQ(section.Practised().Task(),
              u"Дешифрирайте с ключ 19: YETFBGZHLTKXIBGDUXVTNLXHYMAXYHHWMAXRXTM");
    section.Check(u"flamingosarepinkbecauseofthefoodtheyea", u"");
    EXPECT_FALSE(section.Practised().Work().solved);
    EXPECT_EQ(section.Announcement(), u"38 от 39 букви са верни. Място 39: липсва T.");
    section.Check(u"Flamingos are pink because of the food they eat.", u"");
    EXPECT_TRUE(section.Practised().Work().solved);
    EXPECT_EQ(section.Announcement(), u"Вярно! 39 от 39 букви са верни.");
    section.Check(u"Flamingos are pink because of the food they eat.", u"");
    EXPECT_EQ(section.Score(), u"Решени: 1 от 1 (0 с подсказка)");  // counted once
    section.Check(u"Flamingos", u"");
    EXPECT_EQ(section.Practised().LastCheck().verdict,
              u"9 от 39 букви са верни.");  // solved before, wrong now
    section.Reveal();
    EXPECT_EQ(section.Practised().Answer().rfind(u"FLAMINGOSAREPINK", 0), 0U);

    section.OpenNext();
    EXPECT_EQ(section.Practised().Current().number, 3);
    section.Open(ExerciseKind::kEncrypt, u"1");
    section.Check(u"HXDLJWUNJMJQXABNCXFJCNAKDCHXDLJWCVJTNRCMARWTT", u"");
    EXPECT_EQ(section.Practised().LastCheck().letters.marks.back().kind, Kind::kExtra);
    EXPECT_NE(section.Announcement().find(u"Преди място 45: излишна буква T."),
              std::u16string::npos);
    section.Check(u"AXDLJWUNJMJQXABNCXFJCNAKDCHXDLJWCVJTNRCMARWT", u"");
    const std::vector<lesson::LetterMark>& marks = section.Practised().LastCheck().letters.marks;
    EXPECT_EQ(lesson::MarkSentence(marks[0]), u"Място 1: A вместо H");
    EXPECT_EQ(lesson::MarkLine(marks[0]), u"Място 1: Y + 9 = 89 + 9 = 72 -> H");
    EXPECT_TRUE(lesson::MarkSentence(marks[1]).empty() && lesson::MarkLine(marks[1]).empty());
    section.Reveal();
    section.Check(u"HXDLJWUNJMJQXABNCXFJCNAKDCHXDLJWCVJTNRCMARWT", u"");
    EXPECT_FALSE(section.Practised().Work().solved);  // the answer was shown first
    EXPECT_EQ(section.Practised().Answer(), section.Practised().Current().cipherLetters);

    // Finding the key: a wrong key gives no right letters away; the hints come one at a time.
    section.Open(ExerciseKind::kFindKey, u"1");
    section.Check(u"XHUNDER", u"3");
    EXPECT_EQ(section.Announcement(), u"Ключът не е верен. 6 от 68 букви са верни.");
    EXPECT_TRUE(section.Practised().LastCheck().letters.marks.empty());
    for (std::int32_t hint = 1; hint <= lesson::Practice::kHints + 1; ++hint) {
        section.Hint();
        EXPECT_EQ(section.Practised().Work().hints, std::min(hint, lesson::Practice::kHints));
    }
    EXPECT_EQ(section.Announcement(), u"Няма повече подсказки.");
    EXPECT_EQ(section.Practised().HintsUsed(),
              u"Използвани подсказки: 3 от 3. Следващата стъпка е „Покажи отговора“.");
    EXPECT_TRUE(section.Practised().Shows(lesson::Practice::HintStep::kKeys));
    EXPECT_EQ(
        section.Practised().CommonestLetterHint(),
        u"Най-често срещаната буква е C (10 пъти). Ако тя стои на мястото на E, ключът е 24.");
    section.Check(
        u"Thunder is the sound made by lightning. The tallest trees in the world are redwoods.",
        u"-2");
    EXPECT_TRUE(section.Practised().Work().solved);
    EXPECT_EQ(section.Practised().LastCheck().key.note, u"-2 е същото като 24");
    EXPECT_EQ(section.Score(), u"Решени: 2 от 3 (1 с подсказка)");
    section.Reveal();
    EXPECT_EQ(section.Practised().Answer().rfind(u"Ключ 24: THUNDER", 0), 0U);

    section.Open(ExerciseKind::kFindKey, u"7");  // its commonest letter is E itself
    section.Hint();
    section.Hint();
    EXPECT_NE(section.Practised().CommonestLetterHint().find(u"ключът никога не е 0"),
              std::u16string::npos);
    section.Open(ExerciseKind::kEncrypt, u"5");
    section.Hint();
    EXPECT_EQ(section.Practised().Work().hints, 0);
    EXPECT_FALSE(section.Practised().Shows(lesson::Practice::HintStep::kChart));
    EXPECT_TRUE(section.Practised().CommonestLetterHint().empty());
}

// In the Bulgarian alphabet: keys from 1 to 29, its letters alone, and the trace lines, hints
// and key check on its 30 letters.
TEST(MakeExercise, GivesBulgarianExercisesInTheCyrillicAlphabet) {
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    std::set<std::int32_t> keys;
    for (std::int32_t number = lesson::kFirstExercise; number <= lesson::kLastExercise; ++number) {
        const lesson::Exercise exercise =
            *lesson::MakeExercise(ExerciseKind::kFindKey, number, cyrillic);
        keys.insert(exercise.key);
        ASSERT_EQ(cyrillic.Reduce(exercise.cipherLetters), exercise.cipherLetters);
        ASSERT_TRUE(exercise.plainLetters.size() >= 60 && exercise.plainLetters.size() <= 150);
    }
    EXPECT_TRUE(keys.size() == 29 && *keys.begin() == 1);

    const lesson::Exercise first = *lesson::MakeExercise(ExerciseKind::kEncrypt, 1, cyrillic);
    lesson::ExerciseSection section;
    section.Open(ExerciseKind::kEncrypt, u"1", cyrillic);
    section.Check(first.cipherLetters.substr(1), u"");
    EXPECT_EQ(section.Practised().LastCheck().letters.marks[0].line,
              cipher::EncodeLine(cyrillic, first.plainLetters[0], first.key));
    section.Open(ExerciseKind::kFindKey, u"1", cyrillic);
    section.Hint();
    section.Hint();
    EXPECT_NE(section.Practised().CommonestLetterHint().find(u"на мястото на А, "),
              std::u16string::npos);
    EXPECT_EQ(section.Practised().Breaking().Rows(), 29U);
    const lesson::Exercise& found = section.Practised().Current();
    section.Check(found.plain, cipher::DecimalText(found.key + 30));
    EXPECT_TRUE(section.Practised().Work().solved);
    section.OpenNext();
    EXPECT_EQ(section.Practised().Current().alphabet, &cyrillic);
}

// The same choices give the same sheets: numbers in turn from the first, past 9999 back to 1,
// the chosen kinds in turn; choices out of range are refused with what is wrong.
TEST(TeacherSheet, NumbersVariantsInTurnAndRefusesBadChoices) {
    const ExerciseKind kinds[] = {ExerciseKind::kEncrypt, ExerciseKind::kFindKey};
    const lesson::TeacherSheet sheet = lesson::MakeTeacherSheet(kinds, u"3", u" 2 ", u"9998");
    ASSERT_TRUE(sheet.message.empty());
    ASSERT_EQ(sheet.variants.size(), 2U);
    const std::int32_t numbers[] = {9998, 9999, 1, 2, 3, 4};
    for (std::size_t i = 0; i < 6; ++i) {
        const lesson::Exercise& exercise = sheet.variants[i / 3][i % 3];
        EXPECT_EQ(exercise.number, numbers[i]);
        EXPECT_EQ(exercise.kind, kinds[(i % 3) % 2]);
        EXPECT_EQ(exercise.plain, lesson::MakeExercise(exercise.kind, exercise.number)->plain);
    }
    EXPECT_EQ(lesson::TaskText(sheet.variants[0][0]).rfind(u"Шифрирайте с ключ ", 0), 0U);
    EXPECT_EQ(lesson::AnswerText(sheet.variants[0][1]).rfind(u"Ключ ", 0), 0U);
    EXPECT_EQ(lesson::SheetTaskLine(sheet.variants[0][1]),
              u"Упражнение 9999. " + lesson::TaskText(sheet.variants[0][1]));
    EXPECT_EQ(lesson::SheetAnswerLine(sheet.variants[0][1]),
              u"Упражнение 9999: " + lesson::AnswerText(sheet.variants[0][1]));
    const cipher::Alphabet& latin = cipher::LatinAlphabet();
    const cipher::Alphabet& cyrillic = cipher::CyrillicAlphabet();
    // On paper the letters given stand over boxes, a sentence by its words, cipher letters in
    // fives (worked out by hand); the task line stops before them.
    const struct {
        ExerciseKind kind;
        std::int32_t number;
        const cipher::Alphabet& alphabet;
        std::u16string task, groups;
    } printed[] = {
        {ExerciseKind::kEncrypt, 470, latin, u"Упражнение 470. Шифрирайте с ключ 5:",
         u"EASY COME EASY GO"},
        {ExerciseKind::kDecrypt, 50, latin, u"Упражнение 50. Дешифрирайте с ключ 17:",
         u"VRJPT FDVVR JPXF"},
        {ExerciseKind::kEncrypt, 173, cyrillic, u"Упражнение 173. Шифрирайте с ключ 14:",
         u"ВРЕМЕТО Е ПАРИ"},
        {ExerciseKind::kDecrypt, 37, cyrillic, u"Упражнение 37. Дешифрирайте с ключ 26:",
         u"ЮМБИБ ОКБЛЪ МД"},
        {ExerciseKind::kEncryptSubstitution, 1, latin,
         u"Упражнение 1. Шифрирайте със заместване с ключова дума AUTUMN (ключ "
         u"AUTMNBCDEFGHIJKLOPQRSVWXYZ):",
         u"CHAMELEONS CAN CHANGE THEIR COLOUR"},
    };
    for (const auto& c : printed) {
        const lesson::Exercise exercise = *lesson::MakeExercise(c.kind, c.number, c.alphabet);
        std::u16string groups;
        for (const std::u16string& group : lesson::SheetLetterGroups(exercise)) {
            groups += (groups.empty() ? u"" : u" ") + group;
        }
        EXPECT_EQ(lesson::SheetTaskLine(exercise), c.task);
        EXPECT_EQ(groups, c.groups) << c.number;
    }
    // A calculation is printed as its trace, a blank in each box.
    const std::vector<lesson::SheetBlock> blocks =
        lesson::SheetCalculation(*lesson::MakeExercise(ExerciseKind::kCalculate, 4));
    ASSERT_EQ(blocks.size(), 2U);
    EXPECT_EQ(blocks[0].lines.front(), u"P + 11 = ____ + 11 = ____ -> ____");
    EXPECT_EQ(blocks[1].lines.size(), 4U);
    const lesson::Exercise toBreak = *lesson::MakeExercise(ExerciseKind::kFindKey, 4);
    EXPECT_TRUE(
        lesson::SheetKeyBoxes(toBreak) == 2 && lesson::SheetKeyBoxes(sheet.variants[0][0]) == 0 &&
        lesson::SheetCalculation(toBreak).empty() && lesson::SheetFrequencies(toBreak).empty());
    // A substitution to solve is printed by its words, which are the way in, beside the table
    // of its letters' frequencies, the commonest first, by the language's letters.
    const lesson::Exercise toSolve =
        *lesson::MakeExercise(ExerciseKind::kSolveSubstitution, 4, cyrillic);
    std::u16string words;
    for (const std::u16string& group : lesson::SheetLetterGroups(toSolve)) {
        words += (words.empty() ? u"" : u" ") + group;
    }
    EXPECT_GT(std::erase(words, u' '), 20U);
    EXPECT_EQ(words, toSolve.cipherLetters);
    EXPECT_EQ(lesson::SheetTaskLine(toSolve), u"Упражнение 4. Разгадайте заместването:");
    const auto frequencies = lesson::SheetFrequencies(toSolve);
    ASSERT_EQ(frequencies.size(), 3U);
    EXPECT_EQ(frequencies[0].size(), frequencies[1].size());
    EXPECT_EQ(frequencies[2][1], u"А");
    // The same number is another exercise in each alphabet: the sheet says which, past A-Z.
    lesson::TeacherSheet onCyrillic;
    onCyrillic.settings.language = &lesson::LanguageOf(cyrillic);
    EXPECT_EQ(lesson::VariantHeading(sheet, 1), u"Вариант 2");
    EXPECT_EQ(lesson::VariantHeading(onCyrillic, 1), u"Вариант 2 (на кирилица)");
    EXPECT_EQ(lesson::LanguageNamed(u"cyrillic"), &lesson::LanguageOf(cipher::CyrillicAlphabet()));
    EXPECT_EQ(lesson::LanguageNamed(u"greek"), nullptr);

    const struct {
        bool anyKind;
        std::u16string perSheet, variants, first, message;
    } refused[] = {
        {false, u"3", u"2", u"1", u"Изберете поне един вид упражнение."},
        {true, u"21", u"2", u"1", u"Броят на упражненията на лист е цяло число от 1 до 20."},
        {true, u"3", u"0", u"1", u"Броят на вариантите е цяло число от 1 до 40."},
        {true, u"3", u"2", u"", u"Номерът на първото упражнение е цяло число от 1 до 9999."},
    };
    for (const auto& c : refused) {
        const lesson::TeacherSheet bad = lesson::MakeTeacherSheet(
            std::span(kinds, c.anyKind ? 2U : 0U), c.perSheet, c.variants, c.first);
        EXPECT_EQ(bad.message, c.message);
        EXPECT_TRUE(bad.variants.empty());
    }
    // A number past the highest stops the reading before it can overflow, whatever the highest.
    constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(lesson::NumberFrom(u" 2147483647 ", 1, kMost), kMost);
    EXPECT_FALSE(lesson::NumberFrom(u"2147483648", 1, kMost).has_value());
    EXPECT_FALSE(lesson::NumberFrom(u"99999999999999999999", 1, kMost).has_value());
}

}  // namespace
