// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up: one empty fixed-size window, shown, with the event loop running.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(532, 398);
    window.show();
    return QApplication::exec();
}
