// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QString>

#include "lesson/text/identity.h"
#include "window/accessibility.h"
#include "window/main_window.h"
#include "window/qt_texts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Wayland desktops match the window to its desktop entry, and so to its name and icon, by
    // this id.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(lesson::kAppId));
    window::QtTexts qtTexts;
    window::InstallAccessibility();
    window::MainWindow window;
    window.show();
    return QApplication::exec();
}
