// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/exercise_section.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/decimal_text.h"
#include "lesson/classroom/assignment.h"
#include "lesson/classroom/class_work.h"
#include "lesson/classroom/teacher_sheet.h"
#include "lesson/classroom/work_record.h"
#include "lesson/exercises/answer_check.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/diagnosis.h"
#include "lesson/exercises/exercise.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

namespace {

std::u16string Place(const LetterMark& mark) {
    return u"Място " + cipher::DecimalText(static_cast<std::int64_t>(mark.place));
}

// A letter's place in words, as in "4-та буква"; an answer has at most 500.
std::u16string Ordinal(std::size_t n) {
    const std::size_t lastTwo = n % 100;
    std::u16string_view ending = u"-та";
    if (lastTwo == 0) {
        ending = u"-тна";
    } else if (lastTwo < 11 || lastTwo > 19) {
        const std::size_t last = n % 10;
        ending = last == 1 ? u"-ва" : last == 2 ? u"-ра" : last == 7 || last == 8 ? u"-ма" : u"-та";
    }
    return cipher::DecimalText(static_cast<std::int64_t>(n)) + std::u16string(ending);
}

// "Липсват 66 букви: от 4-та до 68-ма.", each run of missing letters from its first place to
// its last; the marks of the missing letters are taken out.
std::u16string MissingRuns(std::vector<LetterMark>& marks) {
    std::size_t missing = 0;
    std::u16string runs;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].kind != LetterMark::Kind::kMissing) {
            continue;
        }
        std::size_t last = i;
        while (last + 1 < marks.size() && marks[last + 1].kind == LetterMark::Kind::kMissing) {
            ++last;
        }
        missing += last - i + 1;
        runs += runs.empty() ? u" " : u", ";
        runs += last == i ? Ordinal(marks[i].place)
                          : u"от " + Ordinal(marks[i].place) + u" до " + Ordinal(marks[last].place);
        i = last;
    }
    std::erase_if(marks, [](const LetterMark& m) { return m.kind == LetterMark::Kind::kMissing; });
    // Most of the letters are missing, and a text has at least three: more than one.
    return u"Липсват " + cipher::DecimalText(static_cast<std::int64_t>(missing)) + u" букви:" +
           runs + u".";
}

// The letters of a task or an answer, spelled for a screen reader after the words before them.
std::u16string SpelledAfter(std::u16string_view words, std::u16string_view letters) {
    return std::u16string(words) + SpelledLetters(letters);
}

// Each letter that is not right, with its place, for a screen reader.
std::u16string Faults(const AnswerCheck& check) {
    std::u16string said;
    for (const LetterMark& mark : check.marks) {
        if (mark.kind != LetterMark::Kind::kRight) {
            said += u" " + MarkSentence(mark) + u".";
        }
    }
    return said;
}

// Whether the student encrypts the plain sentence, rather than decrypting letters.
bool Encrypts(ExerciseKind kind) {
    return kind == ExerciseKind::kEncrypt || kind == ExerciseKind::kEncryptKeyWord;
}

ExerciseKey KeyOf(const Exercise& exercise) {
    return exercise.keyWord.empty() ? ExerciseKey(exercise.key) : ExerciseKey(exercise.keyWord);
}

// Anything done on the exercise beyond opening it.
bool Begun(const ExerciseWork& work) {
    return !work.answer.empty() || !work.key.empty() || work.hints > 0 || work.tried;
}

}  // namespace

std::u16string MarkSentence(const LetterMark& mark) {
    switch (mark.kind) {
        case LetterMark::Kind::kRight:
            break;
        case LetterMark::Kind::kWrong:
            return Place(mark) + u": " + mark.given + u" вместо " + mark.expected;
        case LetterMark::Kind::kMissing:
            return Place(mark) + u": липсва " + mark.expected;
        case LetterMark::Kind::kExtra:
            return u"Преди място " + cipher::DecimalText(static_cast<std::int64_t>(mark.place)) +
                   u": излишна буква " + mark.given;
    }
    return {};
}

std::u16string MarkLine(const LetterMark& mark) {
    return mark.line.empty() ? std::u16string() : Place(mark) + u": " + mark.line;
}

WorkCheck CheckWork(const Exercise& exercise, std::u16string_view answer, std::u16string_view key,
                    bool marked) {
    WorkCheck check;
    const cipher::Alphabet& alphabet = *exercise.alphabet;
    check.key = exercise.kind == ExerciseKind::kFindKey ? CheckKey(key, exercise.key, alphabet)
                                                        : KeyCheck{true, {}};
    if (exercise.kind == ExerciseKind::kCalculate) {
        check.boxes = CheckCalculation(CalculationOf(exercise), answer, alphabet);
        check.letters.right = check.boxes.right;
        check.letters.expected = check.boxes.marks.size();
        check.letters.given = check.boxes.filled;
        check.letters.summary = check.boxes.summary;
    } else if (Encrypts(exercise.kind)) {
        check.letters = CheckAnswer(answer, exercise.plainLetters, KeyOf(exercise),
                                    Direction::kEncrypt, alphabet, marked);
    } else {
        check.letters = CheckAnswer(answer, exercise.cipherLetters, KeyOf(exercise),
                                    Direction::kDecrypt, alphabet, marked);
    }
    check.right = check.key.right && check.letters.right == check.letters.expected &&
                  check.letters.given == check.letters.expected;
    return check;
}

ExerciseSection::ExerciseSection() { Show(*MakeExercise(ExerciseKind::kEncrypt, kFirstExercise)); }

// An exercise only opened, and not the assignment's, leaves nothing to keep.
void ExerciseSection::Leave() {
    if (!Assigned(Worked()) && !Begun(Worked())) {
        m_works.erase(m_works.begin() + static_cast<std::ptrdiff_t>(m_work));
    }
}

bool ExerciseSection::Assigned(const ExerciseWork& work) const {
    return std::any_of(m_assigned.begin(), m_assigned.end(),
                       [&work](const Exercise& e) { return work.Of(e); });
}

// Never older than forgetting in this tab, whatever the time the page last gave.
void ExerciseSection::Touch() { Worked().changed = std::max(m_nowMilliseconds, m_cleared); }

void ExerciseSection::KeepWithinCap() {
    const ExerciseWork open = Work();
    while (m_works.size() > kMostWorks) {
        auto oldest = m_works.end();
        for (auto work = m_works.begin(); work != m_works.end(); ++work) {
            const bool kept = work->OfSameExercise(open) || Assigned(*work);
            if (!kept && (oldest == m_works.end() || work->changed < oldest->changed)) {
                oldest = work;
            }
        }
        m_works.erase(oldest);
    }
    m_work = static_cast<std::size_t>(
        std::find_if(m_works.begin(), m_works.end(),
                     [&open](const ExerciseWork& work) { return work.OfSameExercise(open); }) -
        m_works.begin());
}

void ExerciseSection::Show(const Exercise& exercise) {
    if (m_work < m_works.size()) {
        Leave();
    }
    if (const ExerciseWork* found = FoundWork(exercise)) {
        m_work = static_cast<std::size_t>(found - m_works.data());
    } else {
        // Only opened, it is no change: work on it in another tab stays the later.
        m_works.push_back(WorkOn(exercise));
        m_works.back().opened = m_now;
        m_work = m_works.size() - 1;
        KeepWithinCap();
    }
    const ExerciseWork& work = Worked();
    m_exercise = exercise;
    m_task = TaskText(exercise);
    m_message.clear();
    m_checked = false;
    m_verdict.clear();
    m_letters = {};
    m_key = {};
    m_diagnosis.reset();
    m_missingNote.clear();
    m_calculation =
        exercise.kind == ExerciseKind::kCalculate ? CalculationOf(exercise) : Calculation{};
    m_boxes = {};
    m_solved = work.solved;
    m_hints = work.hints;
    m_commonest.clear();
    m_answer = work.shown ? AnswerText(exercise) : std::u16string();
    m_breaking.Break(exercise.cipherLetters, *exercise.alphabet);
    if (Shows(HintStep::kCommonest)) {
        m_commonest = CommonestSentence();
    }
    // Its last check, as it was shown, while the answer and key are those checked.
    if (work.checkStands) {
        ShowCheck(work.answer, work.key);
    }
    const std::u16string place = AssignedPlace();
    // The letters to work from are spelled: a run of them is no word to be read.
    const std::u16string_view words = std::u16string_view(m_task).substr(0, m_task.find(u": ") + 2);
    m_announcement =
        (place.empty() ? u"" : place + u". ") + u"Упражнение " +
        cipher::DecimalText(exercise.number) + u". " +
        (Encrypts(exercise.kind) ? m_task
                                 : SpelledAfter(words, exercise.kind == ExerciseKind::kCalculate
                                                           ? exercise.plainLetters
                                                           : exercise.cipherLetters));
}

void ExerciseSection::Open(ExerciseKind kind, std::u16string_view number,
                           const cipher::Alphabet& alphabet) {
    const std::optional<std::int32_t> read = NumberFrom(number, kFirstExercise, kLastExercise);
    if (!read) {
        m_message = WholeNumberNote(u"Номерът на упражнението", kLastExercise);
        m_announcement = m_message;
        return;
    }
    Show(*MakeExercise(kind, *read, alphabet));
}

void ExerciseSection::OpenNext() {
    const std::int32_t next = m_exercise.number % kLastExercise + 1;
    Show(*MakeExercise(m_exercise.kind, next, *m_exercise.alphabet));
}

void ExerciseSection::SetTime(std::int64_t milliseconds) {
    // Within the years 1970 to 9999, which the moment's text has room for.
    const bool within = milliseconds > 0 && milliseconds < 253402300800000;
    m_now = within ? MomentText(milliseconds) : std::u16string();
    m_nowMilliseconds = within ? milliseconds : 0;
}

bool ExerciseSection::ShowCheck(std::u16string_view answer, std::u16string_view key) {
    m_checked = true;
    const WorkCheck check = CheckWork(m_exercise, answer, key);
    m_letters = check.letters;
    m_key = check.key;
    m_boxes = check.boxes;
    Mark(check, key);
    std::u16string keySaid;
    if (m_exercise.kind == ExerciseKind::kFindKey) {
        keySaid = m_key.right ? u"Ключът е верен." : u"Ключът не е верен.";
        if (!m_key.note.empty()) {
            keySaid += u" " + m_key.note + u".";
        }
        keySaid += u" ";
    }
    m_verdict = (check.right ? u"Вярно! " : u"") + keySaid + m_letters.summary + u".";
    if (!m_letters.lookAlikes.empty()) {
        m_verdict += u" " + m_letters.lookAlikes;
    }
    m_announcement = m_verdict;
    if (m_diagnosis) {
        m_announcement += u" " + m_diagnosis->sentence;
    }
    if (!m_missingNote.empty()) {
        m_announcement += u" " + m_missingNote;
    }
    m_announcement += Faults(m_letters);
    // An empty box's reason would give its value away.
    for (std::size_t box = 0; box < m_boxes.marks.size(); ++box) {
        if (m_boxes.marks[box].filled && !m_boxes.marks[box].right) {
            const CalculationBox& named = m_calculation.boxes[box];
            m_announcement += u" " + named.name + u": " + named.reason;
        }
    }
    return check.right;
}

void ExerciseSection::Mark(const WorkCheck& check, std::u16string_view key) {
    m_diagnosis.reset();
    m_missingNote.clear();
    if (check.right || m_exercise.kind == ExerciseKind::kCalculate) {
        return;
    }
    const cipher::Alphabet& alphabet = *m_exercise.alphabet;
    // With a key still to be found, any letter marked, right or wrong, would give a letter of
    // the answer away.
    if (!m_key.right) {
        m_diagnosis = DiagnoseKey(key, m_exercise.key, alphabet);
        m_letters.marks.clear();
        return;
    }
    const bool encrypts = Encrypts(m_exercise.kind);
    m_diagnosis =
        Diagnose(m_letters, encrypts ? m_exercise.plainLetters : m_exercise.cipherLetters,
                 KeyOf(m_exercise), encrypts ? Direction::kEncrypt : Direction::kDecrypt, alphabet);
    // A wall of numbered blanks says less than one line.
    const auto missing =
        std::count_if(m_letters.marks.begin(), m_letters.marks.end(),
                      [](const LetterMark& m) { return m.kind == LetterMark::Kind::kMissing; });
    if (2 * static_cast<std::size_t>(missing) > m_letters.expected) {
        m_missingNote = MissingRuns(m_letters.marks);
    }
}

void ExerciseSection::Check(std::u16string_view answer, std::u16string_view key) {
    m_message.clear();
    Type(answer, key);
    ExerciseWork& work = Worked();
    work.tried = true;
    work.checkStands = true;
    work.checked = m_now;
    Touch();
    // Checked as kept: within the caps.
    if (ShowCheck(work.answer, work.key) && !m_solved && m_answer.empty()) {
        m_solved = true;
        work.solved = true;
    }
}

void ExerciseSection::Type(std::u16string_view answer, std::u16string_view key) {
    ExerciseWork& work = Worked();
    answer = answer.substr(0, kAnswerCap);
    key = key.substr(0, static_cast<std::size_t>(kOffsetCap));
    if (answer == work.answer && key == work.key) {
        return;
    }
    work.checkStands = false;
    work.answer = answer;
    work.key = key;
    Touch();
}

void ExerciseSection::Hint() {
    m_message.clear();
    if (m_exercise.kind != ExerciseKind::kFindKey || m_hints == kHints) {
        m_announcement = u"Няма повече подсказки.";
        return;
    }
    ++m_hints;
    Worked().hints = m_hints;
    Touch();
    const cipher::Alphabet& alphabet = *m_exercise.alphabet;
    switch (m_hints) {
        case 1:
            m_announcement = u"Подсказка 1: честотите на буквите в текста и в " +
                             std::u16string(LanguageOf(alphabet).adjective) + u" текст.";
            break;
        case 2:
            m_commonest = CommonestSentence();
            m_announcement = u"Подсказка 2: " + m_commonest;
            break;
        default:
            m_announcement = u"Подсказка 3: таблицата на всички ключове.";
            break;
    }
}

void ExerciseSection::Reveal() {
    Worked().tried = true;
    Worked().shown = true;
    Touch();
    m_message.clear();
    m_answer = AnswerText(m_exercise);
    switch (m_exercise.kind) {
        case ExerciseKind::kEncrypt:
        case ExerciseKind::kEncryptKeyWord:
            m_announcement = SpelledAfter(u"Отговорът: ", m_exercise.cipherLetters);
            break;
        case ExerciseKind::kDecrypt:
        case ExerciseKind::kDecryptKeyWord:
            m_announcement = u"Отговорът: " + m_exercise.plain;
            break;
        case ExerciseKind::kFindKey:
            m_announcement = u"Отговорът: ключ " + cipher::DecimalText(m_exercise.key) + u": " +
                             m_exercise.plain;
            break;
        case ExerciseKind::kCalculate:
            m_announcement = AnswerLine();
            break;
    }
}

std::u16string ExerciseSection::CommonestSentence() const {
    const cipher::Alphabet& alphabet = *m_exercise.alphabet;
    const auto size = static_cast<std::size_t>(alphabet.Size());
    std::size_t most = 0;
    for (std::size_t letter = 1; letter < size; ++letter) {
        if (m_breaking.Count(letter) > m_breaking.Count(most)) {
            most = letter;
        }
    }
    const char16_t commonest = alphabet.Commonest();
    const auto key = static_cast<std::int32_t>((most + size - alphabet.PlaceOf(commonest)) % size);
    return u"Най-често срещаната буква е " + std::u16string(1, alphabet.letters[most]) + u" (" +
           cipher::DecimalText(m_breaking.Count(most)) + u" пъти). Ако тя стои на мястото на " +
           std::u16string(1, commonest) + u", " +
           (key == 0 ? u"текстът не е шифриран, а ключът никога не е 0: опитайте със следващата "
                       u"по честота буква."
                     : u"ключът е " + cipher::DecimalText(key) + u".");
}

std::u16string ExerciseSection::AnswerLine() const {
    return m_answer.empty() ? std::u16string() : u"Отговорът: " + m_answer;
}

std::u16string ExerciseSection::HintsUsed() const {
    std::u16string used = u"Използвани подсказки: " + cipher::DecimalText(m_hints) + u" от " +
                          cipher::DecimalText(kHints);
    if (m_hints == kHints && m_answer.empty() && !m_solved) {
        used += u". Следващата стъпка е „Покажи отговора“.";
    }
    return used;
}

std::u16string ExerciseSection::Score() const {
    std::int64_t tried = 0;
    std::int64_t solved = 0;
    std::int64_t withHints = 0;
    for (const ExerciseWork& work : m_works) {
        tried += work.tried ? 1 : 0;
        solved += work.solved ? 1 : 0;
        withHints += work.solved && work.hints > 0 ? 1 : 0;
    }
    return u"Решени: " + cipher::DecimalText(solved) + u" от " + cipher::DecimalText(tried) +
           u" (" + cipher::DecimalText(withHints) + u" с подсказка)";
}

void ExerciseSection::StartAssignment(std::u16string_view code, std::u16string_view variant) {
    const CodeReading reading = ReadAssignmentCode(code);
    const std::optional<std::int32_t> number = NumberFrom(variant, 1, kMostVariants);
    m_assignmentMessage = !reading.settings ? reading.message : !number ? VariantNote() : u"";
    if (!m_assignmentMessage.empty()) {
        m_announcement = m_assignmentMessage;
        return;
    }
    const std::u16string written = AssignmentCode(*reading.settings);
    const bool same =
        m_assignment && m_assignment->code == written && m_assignment->variant == *number;
    if (!same) {
        m_assignment = Assignment{written, *reading.settings, *number, 0};
        m_assigned = VariantExercises(*reading.settings, *number);
    }
    Show(m_assigned[m_assignment->place]);
}

void ExerciseSection::NextAssigned() {
    if (!m_assignment) {
        return;
    }
    m_assignment->place = (m_assignment->place + 1) % m_assigned.size();
    Show(m_assigned[m_assignment->place]);
}

std::u16string ExerciseSection::AssignedPlace() const {
    const auto found = std::find_if(m_assigned.begin(), m_assigned.end(),
                                    [this](const Exercise& e) { return Work().Of(e); });
    if (found == m_assigned.end()) {
        return {};
    }
    return u"Упражнение " + cipher::DecimalText(found - m_assigned.begin() + 1) + u" от " +
           cipher::DecimalText(static_cast<std::int64_t>(m_assigned.size()));
}

HandIn ExerciseSection::HandInWork(const Student& student) {
    m_student = student;
    if (!m_assignment) {
        return {u"Предава се задание: първо въведете кода на заданието и варианта си.", {}, {}};
    }
    std::vector<ExerciseWork> works;
    for (const Exercise& exercise : m_assigned) {
        const ExerciseWork* found = FoundWork(exercise);
        works.push_back(found != nullptr ? *found : WorkOn(exercise));
    }
    return lesson::HandInWork(student, *m_assignment, works, m_now);
}

const ExerciseWork* ExerciseSection::FoundWork(const Exercise& exercise) const {
    const auto found = std::find_if(m_works.begin(), m_works.end(),
                                    [&exercise](const ExerciseWork& w) { return w.Of(exercise); });
    return found != m_works.end() ? &*found : nullptr;
}

std::u16string ExerciseSection::Kept() const {
    return KeptText({m_student, m_assignment, m_exercise.kind, &LanguageOf(*m_exercise.alphabet),
                     m_exercise.number, m_works, m_cleared, m_setAside});
}

void ExerciseSection::Restore(std::u16string_view kept) {
    KeptReading reading = ReadKept(kept);
    if (!reading.progress) {
        m_message =
            u"Работата, запазена на това устройство, е повредена или е от друга версия "
            u"на програмата и не е заредена.";
        m_announcement = m_message;
        return;
    }
    Progress& progress = *reading.progress;
    m_student = progress.student;
    m_assignment = progress.assignment;
    m_assigned = m_assignment ? VariantExercises(m_assignment->settings, m_assignment->variant)
                              : std::vector<Exercise>();
    m_works = std::move(progress.works);
    m_cleared = progress.cleared;
    m_setAside = std::move(progress.setAside);
    // No exercise is open yet, to be left.
    m_work = m_works.size();
    Show(*MakeExercise(progress.kind, progress.number, *progress.language));
    KeepWithinCap();
    m_keptNote = SetAsideNote(reading);
    if (!m_keptNote.empty()) {
        m_announcement = m_keptNote + u" " + m_announcement;
    }
}

ExerciseSection::Merged ExerciseSection::Merge(std::u16string_view kept) {
    KeptReading reading = ReadKept(kept);
    if (!reading.progress) {
        return Merged::kUnreadable;
    }
    Progress& other = *reading.progress;
    const bool forgotten = other.cleared > m_cleared;
    if (forgotten) {
        m_student = {};
        m_assignment.reset();
        m_assigned.clear();
        m_setAside.clear();
        m_cleared = other.cleared;
    } else if (other.cleared < m_cleared) {
        // Kept before this tab forgot the work: the student, the assignment and what was set
        // aside are forgotten too.
        other.student = {};
        other.assignment.reset();
        other.setAside.clear();
    }
    if (m_student.name.empty() && m_student.className.empty() && m_student.number.empty()) {
        m_student = other.student;
    }
    if (!m_assignment && other.assignment) {
        m_assignment = other.assignment;
        m_assigned = VariantExercises(m_assignment->settings, m_assignment->variant);
    }
    const ExerciseWork open = Work();
    std::vector<ExerciseWork> works;
    std::copy_if(m_works.begin(), m_works.end(), std::back_inserter(works),
                 [this, forgotten](const ExerciseWork& work) {
                     return !forgotten || work.changed >= m_cleared;
                 });
    for (const ExerciseWork& work : other.works) {
        const auto mine = std::find_if(works.begin(), works.end(), [&work](const ExerciseWork& w) {
            return w.OfSameExercise(work);
        });
        if (work.changed < m_cleared || (mine == works.end() && !Begun(work))) {
            continue;
        }
        if (mine == works.end()) {
            works.push_back(work);
        } else if (work.changed > mine->changed && !mine->OfSameExercise(open)) {
            *mine = work;
        }
    }
    m_works = std::move(works);
    for (std::vector<std::u16string>& lines : other.setAside) {
        if (std::find(m_setAside.begin(), m_setAside.end(), lines) == m_setAside.end()) {
            m_setAside.push_back(std::move(lines));
        }
    }
    if (m_setAside.size() > kMostWorks) {
        m_setAside.erase(m_setAside.begin(),
                         m_setAside.end() - static_cast<std::ptrdiff_t>(kMostWorks));
    }
    if (!forgotten) {
        m_work = static_cast<std::size_t>(FoundWork(m_exercise) - m_works.data());
        KeepWithinCap();
        return Merged::kWork;
    }
    // The exercise open stays open, with the work on it forgotten.
    m_work = m_works.size();
    Show(m_exercise);
    KeepWithinCap();
    m_announcement = u"Работата на това устройство е изчистена в друг раздел.";
    return Merged::kForgotten;
}

void ExerciseSection::Forget() {
    const std::u16string now = m_now;
    const std::int64_t milliseconds = m_nowMilliseconds;
    *this = ExerciseSection();
    m_now = now;
    m_nowMilliseconds = milliseconds;
    // Work changed at the very moment of forgetting is kept, as newer.
    m_cleared = milliseconds;
    m_announcement = u"Работата на това устройство е изчистена.";
}

}  // namespace lesson
