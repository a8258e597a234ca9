// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace lesson {

// What the page says where its lessons cannot run. The page writes them in at build time, as
// the module that would say them may be what failed, and puts the browser's reason in place
// of {reason} and a count in place of {count}.
inline constexpr std::u16string_view kModuleFailed =
    u"Уроците не могат да работят в този браузър: програмният модул (WebAssembly) не се "
    u"стартира. Причина: {reason}. ";
// The reason where the module itself is damaged: the browser's own would say "Failed to fetch".
inline constexpr std::u16string_view kModuleDamaged =
    u"програмният модул в това копие на файла е повреден";
inline constexpr std::u16string_view kOneClickLost = u"Едно натискане на бутон не беше изпълнено. ";
inline constexpr std::u16string_view kClicksLost =
    u"{count} натискания на бутони не бяха изпълнени. ";
inline constexpr std::u16string_view kTryAgain =
    u"Опитайте с нова версия на Chrome, Firefox, Edge или Safari, или отворете файла отново.";
inline constexpr std::u16string_view kActionFailed =
    u"Урокът не можа да изпълни действието. Причина: {reason}.";

}  // namespace lesson
