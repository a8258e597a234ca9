// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QImage;
class QString;

namespace window {

// The image in a resource written by make_images as raw pixels (see assets/), read without
// an image decoder; a null image if the resource is missing or malformed. The resource must
// be stored uncompressed.
QImage RawImage(const QString& resourcePath);

}  // namespace window
