// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

namespace window {

// Qt's own texts (the fields' context menus, the message box's button) in Bulgarian for the
// application's lifetime, from Qt's translations: those built into the program where it
// carries them (a single Windows executable has no folder beside it), the installed ones
// otherwise. Without either, Qt's texts stay English.
class QtTexts {
public:
    QtTexts();
    QtTexts(const QtTexts&) = delete;
    QtTexts& operator=(const QtTexts&) = delete;
    ~QtTexts() = default;

private:
    QTranslator m_translator;
};

}  // namespace window
