// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/action.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lesson/text/language.h"
#include "web/json_writer.h"

namespace page {
namespace {

// Into the value's member of the field's type, where the request has one of that type.
template <typename Kind>
bool Take(std::optional<Kind> read, Kind& member) {
    if (read) {
        member = std::move(*read);
    }
    return read.has_value();
}

// Whether the request has the member, of the field's type. An alphabet the request does not
// name as a text is A to Z; one it names but the lesson does not know is none, to be refused.
bool Read(const Field& field, const Request& request, Value& value) {
    switch (field.type) {
        case Type::kText:
            return Take(request.Text(field.name), value.text);
        case Type::kNumber:
            return Take(request.Integer(field.name), value.number);
        case Type::kList:
            return Take(request.List(field.name), value.list);
        case Type::kAlphabet:
            break;
    }
    const std::optional<std::u16string> name = request.Text(field.name);
    const lesson::Language* language =
        name ? lesson::LanguageNamed(*name) : &lesson::Languages().front();
    value.alphabet = language != nullptr ? language->alphabet : nullptr;
    return true;
}

}  // namespace

std::optional<Values> ReadFields(const Action& action, const Page& page, const Request& request) {
    Values values;
    for (const Field& field : action.fields) {
        if (field.name.empty()) {
            break;
        }
        Value& value = values.emplace_back();
        value.present = Read(field, request, value);
        // An optional member of another type is taken as missing, like an alphabet not named.
        if (value.present ? field.fits != nullptr && !field.fits(page, value) : !field.optional) {
            return std::nullopt;
        }
    }
    return values;
}

std::string Refusal(const Action& action) {
    std::string needs = std::string(action.name) + " needs";
    const char* separator = " ";
    for (const Field& field : action.fields) {
        if (field.name.empty()) {
            break;
        }
        needs += separator + std::string(field.name);
        if (!field.rule.empty()) {
            needs += " (" + std::string(field.rule) + ")";
        }
        if (field.optional) {
            needs += " if any";
        }
        separator = ", ";
    }
    return Error(needs);
}

std::string Error(const std::string& why) {
    return Object({{"error", Quoted(std::u16string(why.begin(), why.end()))}});
}

}  // namespace page
