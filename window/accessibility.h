// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace window {

// Has screen readers meet the window's single-line fields and its announcer through the
// window's own accessibility interfaces. Call once, with the application made, before the
// first window.
void InstallAccessibility();

}  // namespace window
