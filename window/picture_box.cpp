// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_box.h"

#include <QPainter>
#include <QPen>
#include <QRect>

namespace window {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

void PictureBox::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // One pixel inside the border, where the round disk leaves the corners free; the pen
    // scales with the screen, so the mark is as clear at 2x as at 1x.
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}

}  // namespace window
