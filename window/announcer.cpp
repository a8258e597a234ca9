// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QLatin1String>
#include <QWidget>
#include <QtGlobal>

namespace window {

namespace {

// The announcer as the accessibility layer sees it: a notification whose name is the message.
class AnnouncementInterface : public QAccessibleObject {
public:
    explicit AnnouncementInterface(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<Announcer*>(object())->Message() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* AnnouncementFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className())) {
        return new AnnouncementInterface(static_cast<Announcer*>(object));
    }
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* window) : QObject(window) {}

void Announcer::Install() { QAccessible::installFactory(AnnouncementFactory); }

// The one place that knows how each Qt and platform lets a screen reader speak. Qt 6.8 has
// an announcement of its own, which reaches AT-SPI and UI Automation alike. Qt 6.4 has none:
// AT-SPI speaks a notification that shows itself, and UI Automation raises a notification
// for a text value change, while it drops the showing.
void Announcer::Announce(const QString& message) {
    m_message = message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, message);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&announcement);
#else
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#ifdef Q_OS_WIN
    QAccessibleValueChangeEvent changed(this, message);
    QAccessible::updateAccessibility(&changed);
#endif
#endif
}

}  // namespace window
