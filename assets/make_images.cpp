// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's two images: the icon (the window's 32 x 32, the desktop's larger sizes
// and the Windows icon file) and the cipher disk (with a 2x variant). The window's images are
// also written raw (.argb), which the program shows without going through an image decoder.
// Usage: make_images OUTPUT_DIRECTORY
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

namespace {

const QColor kOuterBrown(150, 92, 44);
const QColor kInnerBrown(112, 64, 28);
const QColor kRim(70, 38, 14);
const QColor kLetters(255, 236, 200);

// Calls draw(i) for the 26 steps around the centre, with the painter's origin at the centre
// and turned so that step i stands at the top.
void AroundTheRing(QPainter& painter, QPointF centre, const std::function<void(int)>& draw) {
    for (int i = 0; i < 26; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(i * 360.0 / 26.0);
        draw(i);
        painter.restore();
    }
}

// A ring of the letters A-Z around the centre, each upright towards the rim, the first
// letter at the top. `first` shifts which letter stands at the top.
void DrawLetterRing(QPainter& painter, QPointF centre, qreal radius, int first, qreal pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    painter.setPen(kLetters);
    const QRectF cell(-pixelSize, -radius - pixelSize / 2, 2 * pixelSize, pixelSize);
    AroundTheRing(painter, centre, [&](int i) {
        painter.drawText(cell, Qt::AlignCenter, QString(QChar(u'A' + (first + i) % 26)));
    });
}

void DrawCircle(QPainter& painter, QPointF centre, qreal radius, const QColor& fill) {
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
}

// The cipher disk: an outer ring of plain letters over an inner ring shifted by three, as
// a Caesar disk set to the classical offset.
QImage CipherDisk(int scale) {
    QImage image(149 * scale, 150 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const QPointF centre(74.5, 75.0);
    painter.setPen(QPen(kRim, 1.5));
    DrawCircle(painter, centre, 73.0, kOuterBrown);
    DrawCircle(painter, centre, 51.0, kInnerBrown);
    DrawCircle(painter, centre, 30.0, kOuterBrown);
    DrawCircle(painter, centre, 4.0, kRim);
    DrawLetterRing(painter, centre, 62.5, 0, 12.0);
    DrawLetterRing(painter, centre, 41.0, 3, 10.0);
    painter.end();
    return image;
}

// The icon at any size: the disk reduced to its ring of 26 marks around a large C, for
// Caesar, drawn on a 32-unit grid.
QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPointF centre(16.0, 16.0);
    painter.setPen(QPen(kRim, 1.0));
    DrawCircle(painter, centre, 15.0, kOuterBrown);
    DrawCircle(painter, centre, 10.5, kInnerBrown);
    painter.setPen(QPen(kLetters, 1.0));
    AroundTheRing(painter, centre,
                  [&](int) { painter.drawLine(QPointF(0.0, -14.0), QPointF(0.0, -11.5)); });
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setPixelSize(17 * size / 32);
    painter.resetTransform();
    painter.setFont(font);
    const qreal unit = size / 32.0;
    painter.drawText(QRectF(6 * unit, 6 * unit, 20 * unit, 20 * unit), Qt::AlignCenter,
                     QStringLiteral("C"));
    painter.end();
    return image;
}

// The image made fit for 256 colours: on/off transparency, so the smoothed rim becomes a hard
// edge, and the smoothing of the inner shades coarsened to a step of 8 per channel.
QImage FewColours(QImage image) {
    const auto coarse = [](int channel) { return std::min(255, (channel + 4) / 8 * 8); };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            image.setPixel(x, y,
                           qAlpha(pixel) < 128 ? qRgba(0, 0, 0, 0)
                                               : qRgb(coarse(qRed(pixel)), coarse(qGreen(pixel)),
                                                      coarse(qBlue(pixel))));
        }
    }
    return image;
}

// The image with a palette of its own colours, in ascending order; empty when it has more
// than 256 of them.
QImage Indexed(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    if (colours.size() > 256) {
        return {};
    }
    const QList<QRgb> table(colours.begin(), colours.end());
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            indexed.setPixel(x, y, static_cast<uint>(table.indexOf(image.pixel(x, y))));
        }
    }
    return indexed;
}

// The image as the program reads it without an image decoder: width and height as 32-bit
// little-endian numbers, then the premultiplied ARGB pixels, one little-endian 32-bit word each.
QByteArray Raw(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray raw;
    QDataStream out(&raw, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(pixels.width()) << quint32(pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            out << quint32(line[x]);
        }
    }
    return raw;
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A Windows icon file holding the images as PNG entries, as Windows has read them since Vista.
QByteArray Ico(const QList<QImage>& images) {
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    QList<QByteArray> pngs;
    quint32 offset = 6 + 16 * images.size();
    for (const QImage& image : images) {
        pngs << Png(image);
        // A width or height of 256 is written as 0.
        out << quint8(image.width() % 256) << quint8(image.height() % 256) << quint8(0) << quint8(0)
            << quint16(1) << quint16(32) << quint32(pngs.last().size()) << offset;
        offset += pngs.last().size();
    }
    for (const QByteArray& png : pngs) {
        out.writeRawData(png.constData(), static_cast<int>(png.size()));
    }
    return file;
}

bool Write(const QByteArray& bytes, const QDir& directory, const QString& name) {
    QFile file(directory.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_images: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_images OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    // The window's icon is 32 x 32 in 256 colours, and so are the small sizes of the Windows
    // icon (16, and 20 and 24 for title bars at 125% and 150%); the desktop's larger sizes
    // keep their smooth edges.
    const QImage icon = Indexed(FewColours(Icon(32)));
    QList<QImage> windowsIcon;
    for (const int size : {16, 20, 24}) {
        windowsIcon << Indexed(FewColours(Icon(size)));
    }
    windowsIcon << icon << Icon(48) << Icon(256);
    if (std::any_of(windowsIcon.cbegin(), windowsIcon.cend(),
                    [](const QImage& image) { return image.isNull(); })) {
        std::fprintf(stderr, "make_images: the icon needs more than 256 colours\n");
        return 1;
    }
    const QImage disk = CipherDisk(1);
    const QImage disk2x = CipherDisk(2);
    bool saved = Write(Png(icon), output, QStringLiteral("icon.png")) &&
                 Write(Raw(icon), output, QStringLiteral("icon.argb")) &&
                 Write(Png(disk), output, QStringLiteral("disk.png")) &&
                 Write(Raw(disk), output, QStringLiteral("disk.argb")) &&
                 Write(Png(disk2x), output, QStringLiteral("disk@2x.png")) &&
                 Write(Raw(disk2x), output, QStringLiteral("disk@2x.argb")) &&
                 Write(Ico(windowsIcon), output, QStringLiteral("caesar.ico"));
    for (const int size : {48, 64, 128, 256}) {
        saved = saved && Write(Png(Icon(size)), output, QStringLiteral("icon-%1.png").arg(size));
    }
    return saved ? 0 : 1;
}
