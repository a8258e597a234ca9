// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

class QPaintEvent;

namespace window {

// A picture in a sunken border that is a Tab stop. While it has keyboard focus a dotted
// rectangle inside the border shows it, as on Windows' own controls; otherwise it looks like
// the plain picture.
class PictureBox : public QLabel {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace window
