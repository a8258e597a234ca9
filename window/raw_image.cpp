#include "window/raw_image.h"

#include <QImage>
#include <QResource>
#include <QString>
#include <QtEndian>

namespace window {

QImage RawImage(const QString& resourcePath) {
    // Skipping the image decoders spares loading the image plugins at start-up.
    const QResource resource(resourcePath);
    constexpr qint64 kHeader = 8;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < kHeader) {
        return {};
    }
    const uchar* data = resource.data();
    const quint32 width = qFromLittleEndian<quint32>(data);
    const quint32 height = qFromLittleEndian<quint32>(data + 4);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 ||
        resource.size() != kHeader + qint64(width) * height * 4) {
        return {};
    }
    // The pixels are little-endian words, as QImage holds them on the little-endian machines
    // this program is built for.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    return QImage(data + kHeader, int(width), int(height), QImage::Format_ARGB32_Premultiplied);
}

}  // namespace window
