// SPDX-License-Identifier: GPL-3.0-or-later
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <malloc.h>

#include <cstddef>

#include "window/main_window.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own count; GCC ships the runtime but not this header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the process holds on its heap right now.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// The resident set size, in kilobytes, for the record.
long ResidentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

// A phrase and an offset that change with every step: lengths from 0 to 50, Latin, Cyrillic
// and punctuation, offsets that run, stop early and wrap.
QString PhraseFor(int step) {
    const QString pool = "Veni, vidi, vici! Цезар abcXYZ 0123 ";
    return pool.repeated(2).mid(step % pool.size(), step % 51);
}

QString OffsetFor(int step) { return QString::number(step % 61 - 10); }

QString Shifted(const QString& capitals, int offset) {
    QString shifted;
    for (const QChar c : capitals) {
        shifted += QChar(u'A' + (c.unicode() - u'A' + offset) % 26);
    }
    return shifted;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void tenThousandClicksKeepFieldsRightAndMemoryFlat() {
        window::MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* phrase = window.findChild<QLineEdit*>("Text2(0)");
        auto* offset = window.findChild<QLineEdit*>("Text2(1)");
        auto* result = window.findChild<QLineEdit*>("Text2(2)");
        auto* log = window.findChild<QPlainTextEdit*>("Text1(0)");
        auto* calculate = window.findChild<QPushButton*>("Command1(0)");
        auto* clear = window.findChild<QPushButton*>("Command1(1)");

        constexpr int kClicks = 10000;
        constexpr int kWarmUp = 1000;
        std::size_t afterWarmUp = 0;
        long residentAfterWarmUp = 0;
        for (int click = 0; click < kClicks; ++click) {
            if (click == kWarmUp) {
                afterWarmUp = HeapInUse();
                residentAfterWarmUp = ResidentKilobytes();
            }
            if (click % 2 == 1) {
                QTest::mouseClick(clear, Qt::LeftButton);
                QVERIFY(phrase->text().isEmpty() && offset->text().isEmpty());
            } else {
                phrase->setText(PhraseFor(click));
                offset->setText(OffsetFor(click));
                QTest::mouseClick(calculate, Qt::LeftButton);
            }
            // Back to the event loop between clicks, as with a real student, so that what
            // Qt defers (repaints, deletions) is done.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        const std::size_t atEnd = HeapInUse();
        qInfo(
            "after %d clicks: heap %zu bytes, RSS %ld kB; after %d more: heap %zu bytes, "
            "RSS %ld kB",
            kWarmUp, afterWarmUp, residentAfterWarmUp, kClicks - kWarmUp, atEnd,
            ResidentKilobytes());
        // Growth of a few kilobytes is allocator noise; a leak of even one string per click
        // would pass a hundred kilobytes here.
        constexpr std::size_t kNoise = std::size_t{64} * 1024;
        QVERIFY2(atEnd < afterWarmUp + kNoise, "the heap grew while the clicks went on");

        phrase->setText("Hello, World!");
        offset->setText("29");
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(phrase->text(), "HELLOWORLD");
        QCOMPARE(offset->text(), "3");
        QCOMPARE(result->text(), Shifted("HELLOWORLD", 3));
        QCOMPARE(log->toPlainText().count(u'\n'), 23);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
