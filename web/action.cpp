// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/action.h"

#include <algorithm>
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

bool Read(const Field& field, const Request& request, Value& value) {
    value.present = true;
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
    const lesson::Language* language = name ? lesson::LanguageNamed(*name) : nullptr;
    value.alphabet = language != nullptr ? language->alphabet : nullptr;
    return language != nullptr;
}

bool Present(const Field& field, const Request& request) {
    const std::vector<std::string_view> names = request.Names();
    return std::find(names.begin(), names.end(), field.name) != names.end();
}

}  // namespace

std::optional<Values> ReadFields(const Action& action, const Page& page, const Request& request) {
    std::vector<Value> values;
    for (const Field& field : action.fields) {
        if (field.name.empty()) {
            break;
        }
        if (!Present(field, request)) {
            if (!field.optional && field.type != Type::kAlphabet) {
                return std::nullopt;
            }
            values.emplace_back().alphabet = lesson::Languages().front().alphabet;
            continue;
        }
        Value& value = values.emplace_back();
        if (!Read(field, request, value) || (field.fits != nullptr && !field.fits(page, value))) {
            return std::nullopt;
        }
    }
    return Values(std::move(values));
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

const std::u16string& Values::Text(std::size_t field) const { return m_values[field].text; }

std::int64_t Values::Number(std::size_t field) const { return m_values[field].number; }

const std::vector<std::u16string>& Values::List(std::size_t field) const {
    return m_values[field].list;
}

const cipher::Alphabet& Values::Alphabet(std::size_t field) const {
    return *m_values[field].alphabet;
}

bool Values::Has(std::size_t field) const { return m_values[field].present; }

}  // namespace page
