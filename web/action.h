// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cipher/alphabet.h"
#include "cipher/vigenere.h"
#include "web/json_request.h"
#include "web/page_state.h"

namespace page {

// A member of a request as its action declares it, read once before the action runs.
enum class Type { kText, kNumber, kList, kAlphabet };
// A member's value, of its field's type; the others stay empty.
struct Value {
    // Whether the request has the member, of its field's type.
    bool present = false;
    std::u16string text;
    std::int64_t number = 0;
    std::vector<std::u16string> list;
    const cipher::Alphabet* alphabet = nullptr;
};

struct Field {
    std::string_view name;
    Type type = Type::kText;
    // What else the value must be, said when it is refused; empty for any value of its type.
    std::string_view rule;
    // Whether the value fits the page as it is now, where the rule says more than the type.
    bool (*fits)(const Page& page, const Value& value) = nullptr;
    // Whether the request may leave it out; one of another type is then taken as left out.
    bool optional = false;
};

constexpr Field TextField(std::string_view name) { return {name, Type::kText, {}, nullptr, false}; }
constexpr Field NumberField(std::string_view name) {
    return {name, Type::kNumber, {}, nullptr, false};
}
constexpr Field ListField(std::string_view name) { return {name, Type::kList, {}, nullptr, false}; }
// The alphabet a request names, A to Z where it names none.
constexpr Field KnownAlphabet() {
    return {"alphabet", Type::kAlphabet, "a known alphabet",
            [](const Page& /*page*/, const Value& value) { return value.alphabet != nullptr; },
            true};
}
constexpr Field Optional(Field field) {
    field.optional = true;
    return field;
}
constexpr Field Checked(Field field, std::string_view rule,
                        bool (*fits)(const Page& page, const Value& value)) {
    field.rule = rule;
    field.fits = fits;
    return field;
}
// "encrypt" or "decrypt", and which of the two directions it names.
constexpr Field DirectionField() {
    return Checked(TextField("direction"), "encrypt or decrypt",
                   [](const Page& /*page*/, const Value& value) {
                       return value.text == u"encrypt" || value.text == u"decrypt";
                   });
}
inline cipher::Direction DirectionOf(const Value& direction) {
    return direction.text == u"encrypt" ? cipher::Direction::kEncrypt : cipher::Direction::kDecrypt;
}
// A place from 0 below the count.
constexpr bool Below(std::int64_t place, std::size_t count) {
    return place >= 0 && static_cast<std::uint64_t>(place) < count;
}

// The values of an action's fields, in the order its row declares them.
using Values = std::vector<Value>;

// An action: its name, the members its request carries besides the action's name, and what it
// does with their values, answering with the state of what it changed.
struct Action {
    std::string_view name;
    std::array<Field, 5> fields;
    std::string (*handle)(Page& page, const Values& values);
};

// The request's values for the action's fields, or nothing where one is missing, of another
// type or does not fit.
std::optional<Values> ReadFields(const Action& action, const Page& page, const Request& request);
// What the action needs, said when a request of it is refused.
std::string Refusal(const Action& action);
std::string Error(const std::string& why);

// Each section's actions, beside the script that shows its state.
std::span<const Action> WindowActions();
std::span<const Action> CyrillicActions();
std::span<const Action> BreakActions();
std::span<const Action> SubstitutionActions();
std::span<const Action> VigenereActions();
std::span<const Action> ExerciseActions();
std::span<const Action> ClassWorkActions();
std::span<const Action> SheetActions();
std::span<const Action> ResultsActions();
std::span<const Action> OpeningTextsActions();

}  // namespace page
