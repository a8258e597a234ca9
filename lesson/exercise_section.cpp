// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/exercise_section.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cipher/decimal_text.h"
#include "lesson/answer_check.h"
#include "lesson/exercise.h"
#include "lesson/language.h"

namespace lesson {

namespace {

std::u16string Place(const LetterMark& mark) {
    return u"Място " + cipher::DecimalText(static_cast<std::int64_t>(mark.place));
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

}  // namespace

std::u16string MarkSentence(const LetterMark& mark) {
    switch (mark.kind) {
        case LetterMark::Kind::kRight:
            break;
        case LetterMark::Kind::kWrong:
            return Place(mark) + u": " + mark.given +
                   (mark.expected == 0 ? u" е грешна"
                                       : u" вместо " + std::u16string(1, mark.expected));
        case LetterMark::Kind::kMissing:
            return Place(mark) + u": липсва " +
                   (mark.expected == 0 ? u"буква" : std::u16string(1, mark.expected));
        case LetterMark::Kind::kExtra:
            return u"Преди място " + cipher::DecimalText(static_cast<std::int64_t>(mark.place)) +
                   u": излишна буква " + mark.given;
    }
    return {};
}

std::u16string MarkLine(const LetterMark& mark) {
    return mark.line.empty() ? std::u16string() : Place(mark) + u": " + mark.line;
}

ExerciseSection::ExerciseSection() { Show(*MakeExercise(ExerciseKind::kEncrypt, kFirstExercise)); }

void ExerciseSection::Show(const Exercise& exercise) {
    m_exercise = exercise;
    m_task = TaskText(exercise);
    m_message.clear();
    m_checked = false;
    m_verdict.clear();
    m_letters = {};
    m_key = {};
    m_solved = false;
    m_tried = false;
    m_hints = 0;
    m_commonest.clear();
    m_answer.clear();
    m_breaking.Break(exercise.cipherLetters, *exercise.alphabet);
    m_announcement = u"Упражнение " + cipher::DecimalText(exercise.number) + u". " + m_task;
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

void ExerciseSection::CountTried() {
    if (!m_tried) {
        m_tried = true;
        ++m_triedCount;
    }
}

void ExerciseSection::Check(std::u16string_view answer, std::u16string_view key) {
    m_message.clear();
    CountTried();
    m_checked = true;
    const bool findKey = m_exercise.kind == ExerciseKind::kFindKey;
    const cipher::Alphabet& alphabet = *m_exercise.alphabet;
    m_key = findKey ? CheckKey(key, m_exercise.key, alphabet) : KeyCheck{true, {}};
    if (m_exercise.kind == ExerciseKind::kEncrypt) {
        m_letters = CheckAnswer(answer, m_exercise.plainLetters, m_exercise.key,
                                Direction::kEncrypt, alphabet);
    } else {
        m_letters = CheckAnswer(answer, m_exercise.cipherLetters, m_exercise.key,
                                Direction::kDecrypt, alphabet);
    }
    // The right letters and their trace lines would give a key still to be found away.
    if (!m_key.right) {
        for (LetterMark& mark : m_letters.marks) {
            mark.expected = 0;
            mark.line.clear();
        }
    }
    const bool allRight = m_key.right && m_letters.right == m_letters.expected &&
                          m_letters.marks.size() == m_letters.expected;
    if (allRight && !m_solved && m_answer.empty()) {
        m_solved = true;
        ++m_solvedCount;
        m_solvedWithHints += m_hints > 0 ? 1 : 0;
    }
    std::u16string keySaid;
    if (findKey) {
        keySaid = m_key.right ? u"Ключът е верен." : u"Ключът не е верен.";
        if (!m_key.note.empty()) {
            keySaid += u" " + m_key.note + u".";
        }
        keySaid += u" ";
    }
    m_verdict = (allRight ? u"Вярно! " : u"") + keySaid + m_letters.summary + u".";
    m_announcement = m_verdict + Faults(m_letters);
}

void ExerciseSection::Hint() {
    m_message.clear();
    if (m_exercise.kind != ExerciseKind::kFindKey || m_hints == kHints) {
        m_announcement = u"Няма повече подсказки.";
        return;
    }
    ++m_hints;
    const cipher::Alphabet& alphabet = *m_exercise.alphabet;
    switch (m_hints) {
        case 1:
            m_announcement = u"Подсказка 1: честотите на буквите в текста и в " +
                             std::u16string(LanguageOf(alphabet).adjective) + u" текст.";
            break;
        case 2: {
            const auto size = static_cast<std::size_t>(alphabet.Size());
            std::size_t most = 0;
            for (std::size_t letter = 1; letter < size; ++letter) {
                if (m_breaking.Count(letter) > m_breaking.Count(most)) {
                    most = letter;
                }
            }
            const char16_t commonest = alphabet.Commonest();
            const auto key =
                static_cast<std::int32_t>((most + size - alphabet.PlaceOf(commonest)) % size);
            const char16_t letter = alphabet.letters[most];
            m_commonest = u"Най-често срещаната буква е " + std::u16string(1, letter) + u" (" +
                          cipher::DecimalText(m_breaking.Count(most)) +
                          u" пъти). Ако тя стои на мястото на " + std::u16string(1, commonest) +
                          u", " +
                          (key == 0 ? u"текстът не е шифриран, а ключът никога не е 0: "
                                      u"опитайте със следващата по честота буква."
                                    : u"ключът е " + cipher::DecimalText(key) + u".");
            m_announcement = u"Подсказка 2: " + m_commonest;
            break;
        }
        default:
            m_announcement = u"Подсказка 3: таблицата на всички ключове.";
            break;
    }
}

void ExerciseSection::Reveal() {
    CountTried();
    m_message.clear();
    m_answer = AnswerText(m_exercise);
    m_announcement = AnswerLine();
}

std::u16string ExerciseSection::AnswerLine() const {
    return m_answer.empty() ? std::u16string() : u"Отговорът: " + m_answer;
}

std::u16string ExerciseSection::HintsUsed() const {
    return u"Използвани подсказки: " + cipher::DecimalText(m_hints) + u" от " +
           cipher::DecimalText(kHints);
}

std::u16string ExerciseSection::Score() const {
    return u"Решени: " + cipher::DecimalText(m_solvedCount) + u" от " +
           cipher::DecimalText(m_triedCount) + u" (" + cipher::DecimalText(m_solvedWithHints) +
           u" с подсказка)";
}

}  // namespace lesson
