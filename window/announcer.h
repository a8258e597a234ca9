// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace window {

// Has a screen reader say a short message, without moving focus and without anything on
// screen changing. Qt 6.4 has no announcement of its own; this object stands in the window's
// accessibility tree as a notification and reports itself shown whenever there is something
// new to say, which screen readers speak at once.
class Announcer : public QObject {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);

    // Sends the message to the screen reader, if one listens.
    void Announce(const QString& message);

    // The last message announced.
    QString Message() const { return m_message; }

private:
    QString m_message;
};

}  // namespace window
