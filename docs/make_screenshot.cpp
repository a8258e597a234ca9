// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the window as it starts into a PNG file, offscreen.
// Usage: make_screenshot OUTPUT.png
#include <QApplication>
#include <QPixmap>
#include <QString>

#include <cstdio>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshot OUTPUT.png\n");
        return 2;
    }
    window::MainWindow window;
    window.show();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
