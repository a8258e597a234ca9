#include <QApplication>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    window::MainWindow window;
    window.show();
    return QApplication::exec();
}
