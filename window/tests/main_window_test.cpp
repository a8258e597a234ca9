// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QWindow>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>
#include <utility>
#include <vector>

#include "lesson/form/help_text.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/identity.h"
#include "window/accessibility.h"
#include "window/main_window.h"
#include "window/qt_texts.h"
#include "window/raw_image.h"

namespace {

// Text as the box holds it: one entry per line, without the last empty line after the final
// line feed.
QStringList BoxLines(const QPlainTextEdit* box) {
    QStringList lines = box->toPlainText().split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// Types each character as a key press carrying it, as a keyboard layout would; unlike
// QTest::keyClicks this takes Cyrillic too.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// What the window handed the accessibility layer to be spoken: the event and its message.
struct Spoken {
    QAccessible::Event type;
    QString message;
    bool operator==(const Spoken&) const = default;
};

std::vector<Spoken>& SpokenEvents() {
    static std::vector<Spoken> events;
    return events;
}

// Keeps what the announcer sends, in the form each Qt passes on to screen readers: its own
// announcement (Qt 6.8), or the notification showing itself (AT-SPI) and a text value change
// (UI Automation's notification) on Qt 6.4.
void RecordSpoken(QAccessibleEvent* event) {
    if (event->object() == nullptr || event->object()->objectName() != "announcer") {
        return;
    }
    QString message;
    switch (event->type()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        case QAccessible::Announcement:
            message = static_cast<QAccessibleAnnouncementEvent*>(event)->message();
            break;
#endif
        case QAccessible::ValueChanged:
            message = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
            break;
        default:
            message = event->accessibleInterface()->text(QAccessible::Name);
            break;
    }
    SpokenEvents().push_back({event->type(), message});
}

// The events that reach a screen reader on this Qt and platform.
std::vector<Spoken> ExpectedSpoken(const QString& message) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    return {{QAccessible::Announcement, message}};
#elif defined(Q_OS_WIN)
    return {{QAccessible::ObjectShow, message}, {QAccessible::ValueChanged, message}};
#else
    return {{QAccessible::ObjectShow, message}};
#endif
}

// Qt hands events to an update handler only while accessibility is on, which a screen reader
// switches on; no public call does it without one.
void SetAccessibilityActive(bool active) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
    QAccessible::installUpdateHandler(active ? RecordSpoken : nullptr);
    SpokenEvents().clear();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { window::InstallAccessibility(); }
    void init() {
        m_window = std::make_unique<window::MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void controlsKeepTheirDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label1(0)") << "Label1(0)" << QRect(64, 0, 337, 25)
                                   << "Информатика - шифър на Цезар, cipher Zuradi";
        QTest::newRow("Picture1") << "Picture1" << QRect(8, 32, 153, 154) << "";
        QTest::newRow("Label1(1)") << "Label1(1)" << QRect(168, 40, 49, 33) << "Текст:";
        QTest::newRow("Text2(0)") << "Text2(0)" << QRect(216, 40, 313, 33) << "abcdefghijkl";
        QTest::newRow("Label1(2)") << "Label1(2)" << QRect(168, 80, 105, 33) << "Отместване:";
        QTest::newRow("Text2(1)") << "Text2(1)" << QRect(272, 80, 65, 33) << "3";
        QTest::newRow("Label1(3)") << "Label1(3)" << QRect(168, 120, 81, 33) << "Шифриран:";
        QTest::newRow("Text2(2)") << "Text2(2)" << QRect(248, 120, 281, 33) << "";
        QTest::newRow("Command1(0)") << "Command1(0)" << QRect(168, 160, 105, 33) << "Изчисли";
        QTest::newRow("Command1(1)") << "Command1(1)" << QRect(424, 160, 105, 33) << "Изчисти";
        QTest::newRow("Text1(0)") << "Text1(0)" << QRect(8, 208, 521, 185) << "";
    }
    void controlsKeepTheirDesign() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && name != "Picture1") {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            // A caption that does not fit would be clipped at this scale.
            QVERIFY(label->fontMetrics().horizontalAdvance(text) <= geometry.width());
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isDefault() && !button->autoDefault());
            QVERIFY(button->fontMetrics().horizontalAdvance(text) < geometry.width() - 8);
        } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(field->text(), text);
        }
        const QFontInfo font(control->font());
        QVERIFY2(font.family() == "Times New Roman" || font.family() == "Liberation Serif",
                 qPrintable(font.family()));
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(QFontMetrics(control->font()).inFont(u'Ж'));
    }

    void windowIsFixedWithCloseBoxOnly() {
        QCOMPARE(m_window->size(), QSize(532, 398));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(m_window->windowTitle(), QString::fromUtf16(lesson::kCaption));
        const Qt::WindowFlags flags = m_window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!m_window->windowIcon().isNull());
    }

    void fieldsHaveTheirSettings() {
        QCOMPARE(Field("Text2(0)")->maxLength(), lesson::kPhraseCap);
        QCOMPARE(Field("Text2(1)")->maxLength(), lesson::kOffsetCap);
        QVERIFY(Field("Text2(2)")->isReadOnly());
        QVERIFY(!Field("Text2(0)")->isReadOnly());
        QPlainTextEdit* log = Log();
        QVERIFY(log->isReadOnly());
        QCOMPARE(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(Field("Text2(0)")->accessibleName(), "Текст");
        QCOMPARE(Field("Text2(1)")->accessibleName(), "Отместване");
        QCOMPARE(Field("Text2(2)")->accessibleName(), "Шифриран");
        QVERIFY(!log->accessibleName().isEmpty());
        QVERIFY(!m_window->findChild<QLabel*>("Picture1")->accessibleDescription().isEmpty());
    }

    void coloursAreDrawn() {
        const QImage image = m_window->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const auto colourAt = [&](QPoint point) {
            return image.pixelColor((QPointF(point) * ratio).toPoint());
        };
        QCOMPARE(colourAt(QPoint(30, 10)), QColor(192, 192, 255));
        QCOMPARE(colourAt(QPoint(300, 200)), QColor(192, 192, 255));
        for (const char* label : {"Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)"}) {
            const QRect box = m_window->findChild<QWidget*>(label)->geometry();
            QCOMPARE(colourAt(box.topLeft() + QPoint(2, 2)), QColor(255, 192, 128));
        }
        const QRect calculate = m_window->findChild<QWidget*>("Command1(0)")->geometry();
        const QRect clear = m_window->findChild<QWidget*>("Command1(1)")->geometry();
        QCOMPARE(colourAt(calculate.topLeft() + QPoint(6, 6)), QColor(0, 255, 0));
        QCOMPARE(colourAt(clear.bottomRight() - QPoint(6, 6)), QColor(255, 0, 0));
    }

    // Under a dark desktop palette the labels would take near-white text onto their orange.
    void labelsKeepBlackTextUnderADarkPalette() {
        // Put back for the cases after this one, whether its checks pass or not.
        const auto restore = qScopeGuard(
            [original = QApplication::palette()] { QApplication::setPalette(original); });
        QPalette dark(QColor(53, 53, 53));
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText}) {
            dark.setColor(role, Qt::white);
        }
        QApplication::setPalette(dark);
        m_window = std::make_unique<window::MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QImage image = m_window->grab().toImage();

        const QColor fill(255, 192, 128);
        const qreal ratio = image.devicePixelRatio();
        for (const char* name : {"Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)"}) {
            const QRect box = m_window->findChild<QWidget*>(name)->geometry();
            const QRect pixels((QPointF(box.topLeft()) * ratio).toPoint(), box.size() * ratio);
            int darkest = 255;
            int brightest = 0;
            for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                for (int x = pixels.left(); x <= pixels.right(); ++x) {
                    const QColor colour = image.pixelColor(x, y);
                    darkest = qMin(darkest, colour.green());
                    brightest = qMax(brightest, colour.green() - fill.green());
                }
            }
            // Black text on the orange gives shades between the two; light text, shades above.
            QVERIFY2(darkest < 64 && brightest <= 0,
                     qPrintable(QStringLiteral("%1: green from %2 to %3 above the fill")
                                    .arg(name)
                                    .arg(darkest)
                                    .arg(brightest)));
        }
        QCOMPARE(image.pixelColor((QPointF(30, 10) * ratio).toPoint()), QColor(192, 192, 255));
    }

    void pictureIsCrispAtEveryScale() {
        QCOMPARE(m_window->findChild<QLabel*>("Picture1")->pixmap().deviceIndependentSize(),
                 QSizeF(149, 150));
        QVERIFY(PictureShowsItsDrawing());
    }

    // Run with two screens, of scale 1 and 2 (window/tests/two_screens.json): the picture
    // takes the drawing made for the screen it is on, and takes it again when it moves.
    void pictureFollowsItsScreen() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        if (screens.size() < 2) {
            QSKIP("needs two screens");
        }
        for (QScreen* screen : {screens[1], screens[0], screens[1]}) {
            // Qt 6.4 follows the move to the other screen; Qt 6.8's offscreen screens need
            // telling.
            m_window->windowHandle()->setScreen(screen);
            m_window->move(screen->geometry().topLeft() + QPoint(20, 20));
            QTRY_COMPARE(m_window->screen(), screen);
            QVERIFY(PictureShowsItsDrawing());
        }
    }

    void typingAndPastingStopAtTheCaps() {
        QLineEdit* phrase = Field("Text2(0)");
        phrase->clear();
        QTest::keyClicks(phrase, QString(lesson::kPhraseCap + 10, u'x'));
        QCOMPARE(phrase->text().size(), lesson::kPhraseCap);

        QLineEdit* offset = Field("Text2(1)");
        offset->clear();
        QApplication::clipboard()->setText(QString(lesson::kOffsetCap + 10, u'7'));
        offset->setFocus();
        QTest::keySequence(offset, QKeySequence::Paste);
        QCOMPARE(offset->text(), QString(lesson::kOffsetCap, u'7'));
    }

    void readOnlyBoxesTakeNoTyping() {
        QTest::keyClicks(Field("Text2(2)"), "abc");
        QCOMPARE(Field("Text2(2)")->text(), "");
        const QString help = Log()->toPlainText();
        QTest::keyClicks(Log(), "abc");
        QTest::keyClick(Log(), Qt::Key_Backspace);
        QCOMPARE(Log()->toPlainText(), help);
    }

    void tabVisitsTheControlsInOrder() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"Text1(0)", "Text2(0)", "Text2(1)", "Command1(0)",
                                       "Command1(1)", "Picture1", "Text2(2)", "Text1(0)"}));
    }

    void enterAndEscapePressNothing() {
        for (const char* name : {"Text2(0)", "Text2(1)"}) {
            QTest::keyClick(Field(name), Qt::Key_Return);
            QTest::keyClick(Field(name), Qt::Key_Escape);
        }
        QCOMPARE(Field("Text2(0)")->text(), "abcdefghijkl");
        QCOMPARE(Field("Text2(2)")->text(), "");
    }

    void qtOwnTextsAreBulgarian() {
        const std::unique_ptr<QMenu> menu(Field("Text2(0)")->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            texts << action->text();
        }
        const QString all = texts.join(", ");
        QVERIFY2(all.contains("Ctrl+C") && !all.contains("&Copy"), qPrintable(all));
    }

    void helpTextFollowsTheOutline() {
        const std::u16string_view help = lesson::HelpText();
        QCOMPARE(help.size(), 1459u);
        const QString text = QString::fromStdU16String(std::u16string(help));
        QCOMPARE(text.count("\r\n"), 12);
        QVERIFY(text.endsWith("\r\n"));
        QCOMPARE(text.count(u'\n'), 12);
        QStringList fragments = {"Пример: Разлика 3, текст: ABCYZ Изход: DEFBC",
                                 "K = (x + m) mod 26",
                                 "D = (K - m) mod 26",
                                 "Информатика - шифър на Цезар, cipher Zuradi",
                                 "cipher Affine",
                                 "cipher ROT13",
                                 "Bifid, Hill,  Playfear, Weviner,"};
        qsizetype from = 0;
        for (const QString& fragment : fragments) {
            const qsizetype at = text.indexOf(fragment, from);
            QVERIFY2(at >= from, qPrintable(fragment));
            from = at + fragment.size();
        }
        QCOMPARE(Log()->toPlainText(), QString(text).replace("\r\n", "\n"));
    }

    void firstCalculateWritesTheTrace() {
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
        QCOMPARE(Field("Text2(0)")->text(), "ABCDEFGHIJKL");
        QCOMPARE(Field("Text2(1)")->text(), "3");
        QCOMPARE(Field("Text2(2)")->text(), "DEFGHIJKLMNO");
        const QStringList lines = BoxLines(Log());
        QCOMPARE(lines.size(), 27);
        QCOMPARE(lines[0], "Дължина на въведената фраза и отместване: 12:3");
        QCOMPARE(lines[2], "A + 3 = 65 + 3 = 68 -> D");
        QCOMPARE(lines[26], "79 - 3 = 76 -> L");
        QCOMPARE(Log()->textCursor().position(), 0);
        QCOMPARE(Log()->verticalScrollBar()->value(), 0);
    }

    void everyFullRunShowsTheTraceFromItsStart() {
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
        for (int run = 0; run < 2; ++run) {
            Log()->moveCursor(QTextCursor::End);
            Log()->verticalScrollBar()->setValue(Log()->verticalScrollBar()->maximum());
            QVERIFY(Log()->verticalScrollBar()->value() > 0);
            QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
            QCOMPARE(Log()->textCursor().position(), 0);
            QCOMPARE(Log()->verticalScrollBar()->value(), 0);
        }
    }

    void screenReaderHearsWhatEachClickDid_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("announcement");
        QTest::newRow("full run") << "abc"
                                  << "1"
                                  << "Command1(0)"
                                  << "Шифриран: B, C, D";
        QTest::newRow("no Latin letters") << "Цезар"
                                          << "29"
                                          << "Command1(0)"
                                          << "Шифрираният текст е празен. Отместване: 3";
        QTest::newRow("offset below 1") << "abc"
                                        << "-27"
                                        << "Command1(0)"
                                        << "Шифрираният текст е празен. Отместване: -1";
        QTest::newRow("clear") << "abc"
                               << "1"
                               << "Command1(1)"
                               << "Полетата Текст, Отместване и Шифриран са празни.";
    }
    void screenReaderHearsWhatEachClickDid() {
        QFETCH(QString, phrase);
        QFETCH(QString, offset);
        QFETCH(QString, button);
        QFETCH(QString, announcement);
        Field("Text2(0)")->setText(phrase);
        Field("Text2(1)")->setText(offset);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        Button(qPrintable(button))->setFocus(Qt::TabFocusReason);
        SetAccessibilityActive(true);

        QTest::keyClick(Button(qPrintable(button)), Qt::Key_Space);

        const std::vector<Spoken> spokenEvents = SpokenEvents();
        SetAccessibilityActive(false);
        QVERIFY(spokenEvents == ExpectedSpoken(announcement));

        QAccessibleInterface* spoken =
            QAccessible::queryAccessibleInterface(m_window->findChild<QObject*>("announcer"));
        QVERIFY(spoken);
        QCOMPARE(spoken->role(), QAccessible::Notification);
        QCOMPARE(spoken->text(QAccessible::Name), announcement);
        QCOMPARE(QApplication::focusWidget(), Button(qPrintable(button)));
    }

    // Screen readers split a field's text by its attribute runs; an empty run at each offset
    // made Orca drop the last character.
    void fieldsReportTheirTextAsOneRun() {
        Field("Text2(2)")->setText("DEFGH");
        for (const char* name : {"Text2(0)", "Text2(1)", "Text2(2)"}) {
            QAccessibleTextInterface* text =
                QAccessible::queryAccessibleInterface(Field(name))->textInterface();
            QVERIFY(text);
            const int length = static_cast<int>(Field(name)->text().size());
            QCOMPARE(text->characterCount(), length);
            QCOMPARE(text->text(0, length), Field(name)->text());
            for (const int offset : {0, length - 1}) {
                int start = -1;
                int end = -1;
                text->attributes(offset, &start, &end);
                QCOMPARE(start, 0);
                QCOMPARE(end, length);
            }
        }
    }

    void screenReaderEditsObeyTheFields() {
        QAccessibleEditableTextInterface* result =
            QAccessible::queryAccessibleInterface(Field("Text2(2)"))->editableTextInterface();
        result->insertText(0, "abc");
        QCOMPARE(Field("Text2(2)")->text(), "");
        QAccessibleEditableTextInterface* offset =
            QAccessible::queryAccessibleInterface(Field("Text2(1)"))->editableTextInterface();
        offset->replaceText(0, 1, QString(lesson::kOffsetCap + 10, u'7'));
        QCOMPARE(Field("Text2(1)")->text(), QString(lesson::kOffsetCap, u'7'));
        offset->deleteText(0, lesson::kOffsetCap - 1);
        QCOMPARE(Field("Text2(1)")->text(), "7");
    }

    void pictureShowsKeyboardFocus() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QWidget* picture = m_window->findChild<QWidget*>("Picture1");
        const QImage unfocused = picture->grab().toImage();
        picture->setFocus(Qt::TabFocusReason);
        QVERIFY(picture->hasFocus());
        const QImage focused = picture->grab().toImage();
        // The disk has no pure black; the dotted mark around its edge is.
        const auto blackPixels = [](const QImage& image) {
            int black = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    black += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
                }
            }
            return black;
        };
        QCOMPARE(blackPixels(unfocused), 0);
        const int edge = 2 * (focused.width() + focused.height());
        QVERIFY2(blackPixels(focused) > edge / 4,
                 qPrintable(QString::number(blackPixels(focused))));
        Button("Command1(0)")->setFocus(Qt::TabFocusReason);
        QCOMPARE(picture->grab().toImage(), unfocused);
    }

    void clearKeepsTheLog() {
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
        const QString trace = Log()->toPlainText();
        QTest::mouseClick(Button("Command1(1)"), Qt::LeftButton);
        for (const char* name : {"Text2(0)", "Text2(1)", "Text2(2)"}) {
            QCOMPARE(Field(name)->text(), "");
        }
        QCOMPARE(Log()->toPlainText(), trace);
    }

    void overflowWarnsAndKeepsWorking() {
        Field("Text2(0)")->setText("ab c");
        Field("Text2(1)")->setText("99999999999");
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);

        auto* warning = m_window->findChild<QMessageBox*>();
        QVERIFY(warning && warning->isVisible());
        QVERIFY(warning->isModal());
        QVERIFY(warning->text().contains("твърде голямо"));
        QVERIFY(warning->text().contains("2147483647"));
        QCOMPARE(Field("Text2(0)")->text(), "ABC");
        QCOMPARE(Field("Text2(1)")->text(), "99999999999");
        QCOMPARE(Field("Text2(2)")->text(), "");
        QCOMPARE(Log()->toPlainText().left(10), "Шифърът на");
        warning->accept();

        Field("Text2(1)")->setText("1");
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
        QCOMPARE(Field("Text2(2)")->text(), "BCD");
    }

    void studentInputEndsInResultOrMessage_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("warned");
        const QString alphabet = "abcdefghijklmnopqrstuvwxyz";
        QTest::newRow("pasted over the cap")
            << alphabet + alphabet + "zzzz" << true << "1"
            << (alphabet + alphabet).toUpper().left(lesson::kPhraseCap) << "1"
            << ("bcdefghijklmnopqrstuvwxyza" + alphabet.mid(1)).toUpper().left(lesson::kPhraseCap)
            << false;
        QTest::newRow("offset 1e400") << "abc" << false << "1e400"
                                      << "ABC"
                                      << "1e400"
                                      << "" << true;
        QTest::newRow("eleven nines") << "abc" << true << "99999999999"
                                      << "ABC"
                                      << "99999999999"
                                      << "" << true;
        QTest::newRow("Cyrillic only") << "Цезар и Клеопатра" << false << "29"
                                       << ""
                                       << "3"
                                       << "" << false;
        QTest::newRow("emoji") << "I ❤ 🍕 pizza" << true << "1"
                               << "IPIZZA"
                               << "1"
                               << "JQJAAB" << false;
        QTest::newRow("control characters") << QString("a\tb\u0001c\u0007d") << true << "2"
                                            << "ABCD"
                                            << "2"
                                            << "CDEF" << false;
        QTest::newRow("empty offset") << "abc" << false << ""
                                      << "ABC"
                                      << "0"
                                      << "" << false;
    }
    void studentInputEndsInResultOrMessage() {
        QFETCH(QString, phrase);
        QFETCH(bool, pasted);
        QFETCH(QString, offset);
        QFETCH(QString, cleaned);
        QFETCH(QString, normalised);
        QFETCH(QString, result);
        QFETCH(bool, warned);
        const QString help = Log()->toPlainText();
        for (const auto& [name, text] : {std::pair{"Text2(0)", phrase}, {"Text2(1)", offset}}) {
            QLineEdit* field = Field(name);
            field->clear();
            if (pasted) {
                QApplication::clipboard()->setText(text);
                field->setFocus();
                QTest::keySequence(field, QKeySequence::Paste);
            } else {
                Type(field, text);
            }
        }
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);

        QCOMPARE(Field("Text2(0)")->text(), cleaned);
        QCOMPARE(Field("Text2(1)")->text(), normalised);
        QCOMPARE(Field("Text2(2)")->text(), result);
        auto* warning = m_window->findChild<QMessageBox*>();
        QCOMPARE(warning != nullptr, warned);
        if (warning != nullptr) {
            warning->accept();
        }
        if (result.isEmpty()) {
            QCOMPARE(Log()->toPlainText(), help);
        }

        Field("Text2(0)")->setText("abc");
        Field("Text2(1)")->setText("1");
        QTest::mouseClick(Button("Command1(0)"), Qt::LeftButton);
        QCOMPARE(Field("Text2(2)")->text(), "BCD");
    }

private:
    // Whether the picture shows, pixel for pixel, the drawing made for its screen's scale: the
    // 2x drawing on a 2x screen, the 1x one on a 1x screen. Other scales are not checked.
    bool PictureShowsItsDrawing() {
        auto* picture = m_window->findChild<QLabel*>("Picture1");
        const qreal ratio = picture->devicePixelRatioF();
        if (ratio != 1.0 && ratio != 2.0) {
            return true;
        }
        const QImage drawing =
            window::RawImage(ratio > 1.0 ? ":/assets/disk@2x.argb" : ":/assets/disk.argb")
                .convertToFormat(QImage::Format_ARGB32);
        const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QPoint corner = (QPointF(picture->contentsRect().topLeft()) * ratio).toPoint();
        if (shown.width() < corner.x() + drawing.width()) {
            return false;
        }
        for (int y = 0; y < drawing.height(); ++y) {
            for (int x = 0; x < drawing.width(); ++x) {
                // Where the drawing is see-through the window shows instead.
                const QRgb pixel = drawing.pixel(x, y);
                if (qAlpha(pixel) == 255 && shown.pixel(corner + QPoint(x, y)) != pixel) {
                    qWarning("the picture differs from its %gx drawing at %d,%d", ratio, x, y);
                    return false;
                }
            }
        }
        return true;
    }

    QLineEdit* Field(const char* name) { return m_window->findChild<QLineEdit*>(name); }
    QPushButton* Button(const char* name) { return m_window->findChild<QPushButton*>(name); }
    QPlainTextEdit* Log() { return m_window->findChild<QPlainTextEdit*>("Text1(0)"); }

    window::QtTexts m_qtTexts;
    std::unique_ptr<window::MainWindow> m_window;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
