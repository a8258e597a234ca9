// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_box.h"

#include <QPainter>
#include <QPen>
#include <QRect>

#include "window/raw_image.h"

namespace window {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

void PictureBox::SetPicture(const QString& oneX, const QString& twoX) {
    // The label keeps the 1x picture: it gives the size and makes the box a graphic to
    // screen readers.
    setPixmap(QPixmap::fromImage(RawImage(oneX)));
    m_twoX = twoX;
    m_twoXPicture = QPixmap();
    update();
}

QPixmap PictureBox::PictureForScreen() {
    if (devicePixelRatioF() <= 1.0 || m_twoX.isEmpty()) {
        return pixmap();
    }
    if (m_twoXPicture.isNull()) {
        m_twoXPicture = QPixmap::fromImage(RawImage(m_twoX));
        m_twoXPicture.setDevicePixelRatio(2.0);
    }
    return m_twoXPicture;
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    // The border as a frame draws it, and the picture for this screen where the label would
    // draw its own.
    QPainter painter(this);
    drawFrame(&painter);
    const QPixmap picture = PictureForScreen();
    QRect target(QPoint(), picture.deviceIndependentSize().toSize());
    target.moveCenter(contentsRect().center());
    painter.drawPixmap(target.topLeft(), picture);
    if (!hasFocus()) {
        return;
    }
    // One pixel inside the border, where the round disk leaves the corners free; the pen
    // scales with the screen, so the mark is as clear at 2x as at 1x.
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}

}  // namespace window
