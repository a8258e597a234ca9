// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QImage;
class QString;

namespace assets {

// How far one image is from another of the same size.
struct ImageDifference {
    bool sameSize = false;
    qsizetype pixels = 0;
    // Pixels with any channel (alpha included) different at all.
    qsizetype pixelsThatDiffer = 0;
    // The largest difference of one channel, in levels of 255.
    int largestChannelDifference = 0;
};

// Compares two images channel by channel, in unpremultiplied ARGB.
ImageDifference Compare(const QImage& expected, const QImage& actual);

// True when the difference is what anti-aliased drawing varies by from one processor to
// another: every channel within a few levels, and few pixels touched at all. A moved shape or
// a changed colour is well beyond it.
bool SameDrawing(const ImageDifference& difference);

// The images in one of the generator's files: a PNG, the raw pixels it writes for the
// program (.argb), or each entry of a Windows icon file (.ico). Empty if it cannot be read.
QList<QImage> ReadDrawing(const QString& path);

}  // namespace assets
