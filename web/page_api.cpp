// SPDX-License-Identifier: GPL-3.0-or-later
// The page's lesson, driven by requests. Each action answers with the whole state of what it
// changed; each section's actions, and the fields their requests carry, are declared beside
// the script that shows its state, and are read and refused here, once.
#include "web/page_api.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "web/action.h"
#include "web/json_request.h"
#include "web/page_state.h"

namespace {

using page::Action;

// Every section's actions, in the page's order.
std::span<const Action> (*const kSections[])() = {
    page::WindowActions,       page::CyrillicActions, page::BreakActions,
    page::SubstitutionActions, page::VigenereActions, page::ExerciseActions,
    page::ClassWorkActions,    page::SheetActions,    page::ResultsActions,
    page::OpeningTextsActions,
};

const Action* ActionNamed(std::u16string_view name) {
    const auto named = [name](const Action& action) {
        return std::equal(name.begin(), name.end(), action.name.begin(), action.name.end());
    };
    for (const auto actions : kSections) {
        const std::span<const Action> rows = actions();
        const auto found = std::find_if(rows.begin(), rows.end(), named);
        if (found != rows.end()) {
            return &*found;
        }
    }
    return nullptr;
}

// A member the action does not declare is a mistake of the page's, never to be dropped. Any
// request may carry the moment it is made, for the work it changes.
bool Declares(const Action& action, std::string_view member) {
    return member == "action" || member == "now" ||
           (!member.empty() &&
            std::any_of(action.fields.begin(), action.fields.end(),
                        [member](const page::Field& field) { return field.name == member; }));
}

std::string Respond(page::Page& page, std::string_view json) {
    const std::optional<page::Request> request = page::Request::Read(json);
    if (!request) {
        return page::Error("the request is not a flat JSON object");
    }
    const Action* action = ActionNamed(request->Text("action").value_or(u""));
    if (action == nullptr) {
        return page::Error("no such action");
    }
    const std::vector<std::string_view> names = request->Names();
    const auto undeclared = std::find_if(
        names.begin(), names.end(), [action](auto member) { return !Declares(*action, member); });
    if (undeclared != names.end()) {
        return page::Error(std::string(action->name) + " takes no field " +
                           std::string(*undeclared));
    }
    if (std::find(names.begin(), names.end(), "now") != names.end()) {
        const std::optional<std::int64_t> now = request->Integer("now");
        if (!now) {
            return page::Error("now is a whole number of milliseconds");
        }
        page.Exercises().SetTime(*now);
        page.results.SetTime(*now);
    }
    const std::optional<page::Values> values = page::ReadFields(*action, page, *request);
    if (!values) {
        return page::Refusal(*action);
    }
    return action->handle(page, *values);
}

struct Exchange {
    page::Page page;
    std::string request;
    std::string response;
};

Exchange& TheExchange() {
    static Exchange exchange;
    return exchange;
}

}  // namespace

extern "C" {

char* lesson_request(std::int32_t length) {
    if (length < 0 || length > kRequestCap) {
        return nullptr;
    }
    std::string& request = TheExchange().request;
    request.assign(static_cast<std::size_t>(length), '\0');
    return request.data();
}

std::int32_t lesson_call() {
    Exchange& exchange = TheExchange();
    exchange.response = Respond(exchange.page, exchange.request);
    return static_cast<std::int32_t>(exchange.response.size());
}

const char* lesson_response() { return TheExchange().response.c_str(); }

}  // extern "C"
