// Draws the program's two images: the window icon and the cipher disk (with a 2x variant).
// Usage: make_images OUTPUT_DIRECTORY
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

const QColor kOuterBrown(150, 92, 44);
const QColor kInnerBrown(112, 64, 28);
const QColor kRim(70, 38, 14);
const QColor kLetters(255, 236, 200);

// A ring of the letters A-Z around the centre, each upright towards the rim, the first
// letter at the top. `first` shifts which letter stands at the top.
void DrawLetterRing(QPainter& painter, QPointF centre, qreal radius, int first, qreal pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    painter.setPen(kLetters);
    for (int i = 0; i < 26; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(i * 360.0 / 26.0);
        const QRectF cell(-pixelSize, -radius - pixelSize / 2, 2 * pixelSize, pixelSize);
        painter.drawText(cell, Qt::AlignCenter, QString(QChar(u'A' + (first + i) % 26)));
        painter.restore();
    }
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

// The icon: the disk reduced to its ring of 26 marks around a large C, for Caesar.
QImage Icon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(16.0, 16.0);
    painter.setPen(QPen(kRim, 1.0));
    DrawCircle(painter, centre, 15.0, kOuterBrown);
    DrawCircle(painter, centre, 10.5, kInnerBrown);
    painter.setPen(QPen(kLetters, 1.0));
    for (int i = 0; i < 26; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(i * 360.0 / 26.0);
        painter.drawLine(QPointF(0.0, -14.0), QPointF(0.0, -11.5));
        painter.restore();
    }
    QFont font(QStringLiteral("Liberation Serif"));
    font.setBold(true);
    font.setPixelSize(17);
    painter.setFont(font);
    painter.drawText(QRectF(6, 6, 20, 20), Qt::AlignCenter, QStringLiteral("C"));
    painter.end();
    // A 256-colour icon has on/off transparency, so the smoothed rim becomes a hard edge, and
    // the smoothing of the inner shades is coarsened to a step of 8 per channel.
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

bool Save(const QImage& image, const QDir& directory, const QString& name) {
    const QString path = directory.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_images: cannot write %s\n", qPrintable(path));
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
    const QImage icon = Indexed(Icon());
    if (icon.isNull()) {
        std::fprintf(stderr, "make_images: the icon needs more than 256 colours\n");
        return 1;
    }
    const bool saved = Save(icon, output, QStringLiteral("icon.png")) &&
                       Save(CipherDisk(1), output, QStringLiteral("disk.png")) &&
                       Save(CipherDisk(2), output, QStringLiteral("disk@2x.png"));
    return saved ? 0 : 1;
}
