// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

class QImage;
class QString;

namespace window {

// The image in a resource written by make_images as raw pixels (see assets/), read without
// an image decoder; a null image if the resource is missing or malformed. The resource must
// be stored uncompressed.
QImage RawImage(const QString& resourcePath);

// The image in make_images' raw format: width and height as 32-bit little-endian numbers,
// then the premultiplied ARGB pixels as little-endian words. A null image if the bytes are
// not that.
QImage RawImageFromBytes(QByteArrayView bytes);

}  // namespace window
