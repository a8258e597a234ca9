// SPDX-License-Identifier: GPL-3.0-or-later
// The second floor for start-up: a window of the program's size showing one line of Cyrillic
// in the program's serif. It pays for fontconfig, a font engine and glyphs, and for nothing
// that is the program's own.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QString>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Информатика - шифър на Цезар, cipher Zuradi"));
    window.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
    window.setFixedSize(532, 398);
    window.show();
    return QApplication::exec();
}
