// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessibility.h"

#include "window/announcer.h"
#include "window/field_accessibility.h"

namespace window {

void InstallAccessibility() {
    FieldAccessibility::Install();
    Announcer::Install();
}

}  // namespace window
