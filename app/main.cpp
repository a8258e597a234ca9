#include <QApplication>

#include "window/font_config_warm_up.h"
#include "window/main_window.h"

int main(int argc, char* argv[]) {
    // The font configuration loads on a thread while the application connects to the display.
    window::FontConfigWarmUp fontConfig;
    QApplication application(argc, argv);
    fontConfig.Wait();
    window::MainWindow window;
    window.show();
    return QApplication::exec();
}
