// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/image_comparison.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

#include "window/raw_image.h"

namespace assets {

namespace {

// Channels may differ by this many levels of 255 (3%), in at most one pixel in this many.
constexpr int kChannelTolerance = 8;
constexpr qsizetype kPixelsPerDifferingPixel = 100;

// Each entry of an icon file; the generator writes them as PNG.
QList<QImage> FromIco(const QByteArray& bytes) {
    constexpr qsizetype kHeader = 6;
    constexpr qsizetype kEntry = 16;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < kHeader) {
        return {};
    }
    const quint16 count = qFromLittleEndian<quint16>(data + 4);
    QList<QImage> images;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype entry = kHeader + i * kEntry;
        if (bytes.size() < entry + kEntry) {
            return {};
        }
        const quint32 size = qFromLittleEndian<quint32>(data + entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(data + entry + 12);
        if (qsizetype(offset) + size > bytes.size()) {
            return {};
        }
        images << QImage::fromData(bytes.mid(offset, size), "PNG");
    }
    return images;
}

}  // namespace

ImageDifference Compare(const QImage& expected, const QImage& actual) {
    ImageDifference difference;
    difference.sameSize = !expected.isNull() && expected.size() == actual.size();
    if (!difference.sameSize) {
        return difference;
    }
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32);
    difference.pixels = qsizetype(a.width()) * a.height();
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int largest = std::max({std::abs(qRed(lineA[x]) - qRed(lineB[x])),
                                          std::abs(qGreen(lineA[x]) - qGreen(lineB[x])),
                                          std::abs(qBlue(lineA[x]) - qBlue(lineB[x])),
                                          std::abs(qAlpha(lineA[x]) - qAlpha(lineB[x]))});
            difference.pixelsThatDiffer += largest > 0 ? 1 : 0;
            difference.largestChannelDifference =
                std::max(difference.largestChannelDifference, largest);
        }
    }
    return difference;
}

bool SameDrawing(const ImageDifference& difference) {
    return difference.sameSize && difference.largestChannelDifference <= kChannelTolerance &&
           difference.pixelsThatDiffer * kPixelsPerDifferingPixel <= difference.pixels;
}

QList<QImage> ReadDrawing(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    QList<QImage> images;
    if (path.endsWith(QStringLiteral(".argb"))) {
        images << window::RawImageFromBytes(bytes);
    } else if (path.endsWith(QStringLiteral(".ico"))) {
        images = FromIco(bytes);
    } else {
        images << QImage::fromData(bytes, "PNG");
    }
    const bool allRead = std::none_of(images.cbegin(), images.cend(),
                                      [](const QImage& image) { return image.isNull(); });
    return allRead ? images : QList<QImage>();
}

}  // namespace assets
