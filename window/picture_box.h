// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>

class QPaintEvent;

namespace window {

// A picture in a sunken border that is a Tab stop. While it has keyboard focus a dotted
// rectangle inside the border shows it, as on Windows' own controls; otherwise it looks like
// the plain picture.
class PictureBox : public QLabel {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows the raw image at oneX (see RawImage), and the one at twoX, drawn at twice the
    // size, on every screen with more pixels than the design. The choice is made at each
    // paint, from the screen the picture is on then.
    void SetPicture(const QString& oneX, const QString& twoX);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap PictureForScreen();

    QString m_twoX;
    // Read on the first paint on a high-density screen, so a 1x screen never reads it.
    QPixmap m_twoXPicture;
};

}  // namespace window
