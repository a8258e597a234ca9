// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/qt_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>

namespace window {

namespace {

QString TranslationsFolder() {
    // Where a build carries Qt's translations as resources, they are here.
    QString builtIn = QStringLiteral(":/qt-translations");
    return QDir(builtIn).exists() ? builtIn : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace

QtTexts::QtTexts() {
    if (m_translator.load(QLocale(QLocale::Bulgarian, QLocale::Bulgaria), QStringLiteral("qtbase"),
                          QStringLiteral("_"), TranslationsFolder())) {
        QCoreApplication::installTranslator(&m_translator);
    }
}

}  // namespace window
