// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/raw_image.h"

#include <QByteArrayView>
#include <QImage>
#include <QResource>
#include <QString>
#include <QtEndian>

#include <cstring>

namespace window {

QImage RawImage(const QString& resourcePath) {
    // Skipping the image decoders spares loading the image plugins at start-up.
    const QResource resource(resourcePath);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
        return {};
    }
    return RawImageFromBytes(QByteArrayView(resource.data(), resource.size()));
}

QImage RawImageFromBytes(QByteArrayView bytes) {
    constexpr qsizetype kHeader = 8;
    if (bytes.size() < kHeader) {
        return {};
    }
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const quint32 width = qFromLittleEndian<quint32>(data);
    const quint32 height = qFromLittleEndian<quint32>(data + 4);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 ||
        bytes.size() != kHeader + qsizetype(width) * height * 4) {
        return {};
    }
    // The pixels are little-endian words, as QImage holds them on the little-endian machines
    // this program is built for. They are copied once into the image's own memory: QImage
    // needs 32-bit aligned rows, and the resource compiler promises no alignment.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    const qsizetype rowBytes = qsizetype(width) * 4;
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y), data + kHeader + y * rowBytes, size_t(rowBytes));
    }
    return image;
}

}  // namespace window
