// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/window_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace window {

QFont WindowFont() {
    const QString designed = QStringLiteral("Times New Roman");
    // Naming the stand-in directly spares fontconfig's substitution, and always gets the
    // font whose widths the layout was designed with.
    const QString family = QFontDatabase::families().contains(designed)
                               ? designed
                               : QStringLiteral("Liberation Serif");
    QFont font(family, 12, QFont::Normal);
    font.setStyleHint(QFont::Serif);
    return font;
}

}  // namespace window
