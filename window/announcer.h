// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace window {

// Has a screen reader say a short message, without moving focus and without anything on
// screen changing. This object stands in the window's accessibility tree as a notification
// and carries each message there, on Linux and on Windows.
class Announcer : public QObject {
    Q_OBJECT

public:
    explicit Announcer(QWidget* window);

    // Makes every announcer stand in the accessibility tree as a notification.
    static void Install();

    // Sends the message to the screen reader, if one listens.
    void Announce(const QString& message);

    // The last message announced.
    QString Message() const { return m_message; }

private:
    QString m_message;
};

}  // namespace window
