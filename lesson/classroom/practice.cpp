// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/classroom/practice.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cipher/alphabet.h"
#include "lesson/classroom/class_work.h"
#include "lesson/exercises/calculation.h"
#include "lesson/exercises/exercise.h"
#include "lesson/exercises/text_parts.h"
#include "lesson/exercises/work_check.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/language.h"
#include "lesson/text/spelled_letters.h"

namespace lesson {

Practice::Practice(const Exercise& exercise, const ExerciseWork& work)
    : m_exercise(exercise),
      m_work(work),
      m_calculation(exercise.kind == ExerciseKind::kCalculate ? CalculationOf(exercise)
                                                              : Calculation{}),
      m_checked(work.checkStands) {
    m_breaking.Break(exercise.cipherLetters, *exercise.alphabet);
    if (Solves()) {
        // The hints given so far, given again: each follows from the text and the ones before.
        m_solving.Start(SubstitutedText(exercise), *exercise.alphabet, exercise.mixed);
        for (std::int32_t hint = 0; hint < work.hints; ++hint) {
            m_solving.Hint();
        }
    }
    if (m_checked) {
        m_check = lesson::Check(exercise, work.answer, work.key);
    }
}

bool Practice::Type(std::u16string_view answer, std::u16string_view key, const WorkMoment& now) {
    answer = answer.substr(0, kAnswerCap);
    key = key.substr(0, static_cast<std::size_t>(kOffsetCap));
    if (answer == m_work.answer && key == m_work.key) {
        return false;
    }
    m_work.checkStands = false;
    m_work.answer = answer;
    m_work.key = key;
    m_work.changed = now.milliseconds;
    return true;
}

void Practice::Check(std::u16string_view answer, std::u16string_view key, const WorkMoment& now) {
    Type(answer, key, now);
    m_work.tried = true;
    m_work.checkStands = true;
    m_work.checked = now.text;
    m_work.changed = now.milliseconds;
    // Checked as kept: within the caps.
    m_checked = true;
    m_check = lesson::Check(m_exercise, m_work.answer, m_work.key);
    m_work.solved = m_work.solved || (m_check.right && !m_work.shown);
}

std::u16string Practice::Hint(const WorkMoment& now) {
    if (!(FindsKey() || Solves()) || m_work.hints == kHints) {
        return u"Няма повече подсказки.";
    }
    ++m_work.hints;
    m_work.changed = now.milliseconds;
    if (Solves()) {
        m_solving.Hint();
        return Joined({u"Подсказка ", Decimal(m_work.hints), u": ", m_solving.Hints().back()});
    }
    if (m_work.hints == 1) {
        return Joined({u"Подсказка 1: честотите на буквите в текста и в ",
                       LanguageOf(*m_exercise.alphabet).adjective, u" текст."});
    }
    if (m_work.hints == 2) {
        return u"Подсказка 2: " + CommonestLetterHint();
    }
    return u"Подсказка 3: таблицата на всички ключове.";
}

std::u16string Practice::Reveal(const WorkMoment& now) {
    m_work.tried = true;
    m_work.shown = true;
    m_work.changed = now.milliseconds;
    if (Encrypts(m_exercise.kind)) {
        return u"Отговорът: " + SpelledLetters(m_exercise.cipherLetters);
    }
    if (m_exercise.kind == ExerciseKind::kCalculate) {
        return AnswerLine();
    }
    if (m_exercise.kind == ExerciseKind::kFindKey) {
        return Joined({u"Отговорът: ключ ", Decimal(m_exercise.key), u": ", m_exercise.plain});
    }
    return u"Отговорът: " + m_exercise.plain;
}

std::u16string Practice::TaskSaid() const {
    const std::u16string opening = u"Упражнение " + Decimal(m_exercise.number) + u". ";
    // The mixed alphabet is no word either.
    if (m_exercise.kind == ExerciseKind::kEncryptSubstitution) {
        return Joined({opening, SubstitutionAsked(m_exercise, SpelledLetters(m_exercise.mixed)),
                       u" ", m_exercise.plain});
    }
    if (Encrypts(m_exercise.kind)) {
        return opening + Task();
    }
    const lesson::Task task = TaskOf(m_exercise);
    // The words of a substitution to solve are spelled as one run of letters.
    return opening + task.asked + u" " +
           SpelledLetters(Solves() ? std::u16string_view(m_exercise.cipherLetters) : task.given);
}

std::u16string Practice::HintsUsed() const {
    std::u16string used =
        u"Използвани подсказки: " + Decimal(m_work.hints) + u" от " + Decimal(kHints);
    if (m_work.hints == kHints && !m_work.shown && !m_work.solved) {
        used += u". Следващата стъпка е „Покажи отговора“.";
    }
    return used;
}

std::u16string Practice::CommonestLetterHint() const {
    if (!Shows(HintStep::kCommonest)) {
        return {};
    }
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
    const std::u16string hint = Joined({u"Най-често срещаната буква е ",
                                        alphabet.letters.substr(most, 1),
                                        u" (",
                                        Decimal(m_breaking.Count(most)),
                                        u" пъти). Ако тя стои на мястото на ",
                                        {&commonest, 1},
                                        u", "});
    if (key == 0) {
        return hint +
               u"текстът не е шифриран, а ключът никога не е 0: опитайте със следващата по "
               u"честота буква.";
    }
    return Joined({hint, u"ключът е ", Decimal(key), u"."});
}

std::u16string Practice::Answer() const {
    return m_work.shown ? AnswerText(m_exercise) : std::u16string();
}

std::u16string Practice::AnswerLine() const {
    const std::u16string answer = Answer();
    return answer.empty() ? answer : u"Отговорът: " + answer;
}

}  // namespace lesson
