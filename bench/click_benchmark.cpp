// SPDX-License-Identifier: GPL-3.0-or-later
// One click on Calculate with a 50-letter phrase, until the fields and the log box hold the new
// text and the window has repainted, beside a baseline that only puts the same trace into a
// bare text box of the same size and repaints it. Offscreen; prints medians and their ratio.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "window/accessibility.h"
#include "window/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 400;

// Median microseconds of `step` over the rounds, each round given its index and prepared,
// untimed, by `setup`.
double MedianMicroseconds(const std::function<void(int)>& setup,
                          const std::function<void()>& step) {
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        setup(round);
        const auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    window::InstallAccessibility();
    window::MainWindow window;
    window.show();
    QApplication::processEvents();

    auto* phrase = window.findChild<QLineEdit*>("Text2(0)");
    auto* offset = window.findChild<QLineEdit*>("Text2(1)");
    auto* log = window.findChild<QPlainTextEdit*>("Text1(0)");
    auto* calculate = window.findChild<QPushButton*>("Command1(0)");
    const QString letters = "thequickbrownfoxjumpsoverthelazydogvenividivicixyz";

    // Alternating offsets, so every click writes a new trace.
    const auto prepare = [&](int round) {
        phrase->setText(letters);
        offset->setText(QString::number(round % 2 + 1));
    };
    prepare(0);
    calculate->click();
    const QString trace = log->toPlainText();

    const double click = MedianMicroseconds(prepare, [&] {
        calculate->click();
        window.repaint();
    });
    QPlainTextEdit bare;
    bare.resize(log->size());
    bare.show();
    QApplication::processEvents();
    QString text;
    const double floor =
        MedianMicroseconds([&](int round) { text = round % 2 == 0 ? trace : trace + u' '; },
                           [&] {
                               bare.setPlainText(text);
                               bare.repaint();
                           });
    std::printf(
        "click on Calculate, 50 letters, to fields and log repainted: %.1f us (median of "
        "%d)\n",
        click, kRounds);
    std::printf("baseline, the same trace into a bare text box and repainted:  %.1f us\n", floor);
    std::printf("ratio to baseline: %.2f\n", click / floor);
    return 0;
}
