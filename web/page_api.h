// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "web/json_request.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define LESSON_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define LESSON_EXPORT
#endif

// The page's one way into the lesson. The page writes a request, a JSON object naming an
// action and its arguments, and reads back the response: the whole state of what the action
// changed, or {"error": ...} for a request that is refused, which then changes nothing.
// Both are ASCII text. Each section's actions and the names in their states are written
// once, in the section's file beside its script.
extern "C" {

// Room for a request of `length` bytes, valid until the next call; null, with nothing
// changed, when the length is negative or past kRequestCap.
LESSON_EXPORT char* lesson_request(std::int32_t length);
// Runs the request written into that room; the response's length in bytes.
LESSON_EXPORT std::int32_t lesson_call();
// The last response, valid until the next call.
LESSON_EXPORT const char* lesson_response();

}  // extern "C"

// More than the longest text the page sends, each unit written as \uXXXX.
constexpr auto kRequestCap = static_cast<std::int32_t>(page::kLongestRequest);
