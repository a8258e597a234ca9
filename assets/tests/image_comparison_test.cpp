// SPDX-License-Identifier: GPL-3.0-or-later
#include <QColor>
#include <QDir>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include "assets/image_comparison.h"

namespace {

const QStringList kDrawings = {"icon.png",     "icon.argb",    "icon-48.png", "icon-64.png",
                               "icon-128.png", "icon-256.png", "caesar.ico",  "disk.png",
                               "disk.argb",    "disk@2x.png",  "disk@2x.argb"};

QImage CommittedDisk() {
    return assets::ReadDrawing(QStringLiteral(ASSETS_DIR "/disk.png")).value(0);
}

}  // namespace

class ImageComparisonTest : public QObject {
    Q_OBJECT

private slots:
    // Redraw them with: cmake --build build --target images
    void committedImagesAreWhatTheGeneratorDraws() {
        QTemporaryDir redrawn;
        QVERIFY(redrawn.isValid());
        QCOMPARE(QProcess::execute(QStringLiteral(GENERATOR), {redrawn.path()}), 0);
        for (const QString& name : kDrawings) {
            const QList<QImage> committed =
                assets::ReadDrawing(QStringLiteral(ASSETS_DIR "/") + name);
            const QList<QImage> drawn = assets::ReadDrawing(QDir(redrawn.path()).filePath(name));
            QVERIFY2(!committed.isEmpty(), qPrintable(name));
            QCOMPARE(drawn.size(), committed.size());
            for (qsizetype i = 0; i < committed.size(); ++i) {
                const assets::ImageDifference difference = assets::Compare(committed[i], drawn[i]);
                QVERIFY2(assets::SameDrawing(difference),
                         qPrintable(QStringLiteral("%1 #%2: %3 pixels differ, by up to %4 levels")
                                        .arg(name)
                                        .arg(i)
                                        .arg(difference.pixelsThatDiffer)
                                        .arg(difference.largestChannelDifference)));
            }
        }
    }

    // As a redrawing on another processor differed: a few edge pixels, each by under 1%.
    void antiAliasingNoiseIsTheSameDrawing() {
        const QImage committed = CommittedDisk();
        QImage noisy = committed;
        for (int i = 0; i < 11; ++i) {
            const QPoint at(20 + 9 * i, 30 + 7 * i);
            const QColor colour = noisy.pixelColor(at);
            noisy.setPixelColor(at, QColor(qMin(colour.red() + 2, 255), colour.green(),
                                           qMax(colour.blue() - 2, 0), colour.alpha()));
        }
        QVERIFY(assets::Compare(committed, noisy).pixelsThatDiffer > 0);
        QVERIFY(assets::SameDrawing(assets::Compare(committed, noisy)));
    }

    void aMovedLetterIsADifferentDrawing() {
        const QImage committed = CommittedDisk();
        QImage moved = committed;
        // The "A" at the top of the outer ring, two pixels to the right.
        const QRect letter(68, 3, 14, 14);
        QPainter painter(&moved);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(letter.topLeft() + QPoint(2, 0), committed.copy(letter));
        painter.end();
        QVERIFY(!assets::SameDrawing(assets::Compare(committed, moved)));
    }

    void aChangedColourIsADifferentDrawing() {
        const QImage committed = CommittedDisk();
        QImage recoloured = committed;
        const QRgb outerBrown = committed.pixel(committed.width() / 2, 30);
        for (int y = 0; y < recoloured.height(); ++y) {
            for (int x = 0; x < recoloured.width(); ++x) {
                if (recoloured.pixel(x, y) == outerBrown) {
                    recoloured.setPixel(x, y, QColor(outerBrown).darker(115).rgba());
                }
            }
        }
        QVERIFY(!assets::SameDrawing(assets::Compare(committed, recoloured)));
    }

    void aDifferentSizeIsADifferentDrawing() {
        const QImage committed = CommittedDisk();
        QVERIFY(!assets::SameDrawing(assets::Compare(committed, committed.copy(0, 0, 149, 149))));
    }
};

QTEST_MAIN(ImageComparisonTest)
#include "image_comparison_test.moc"
