// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>
#include <QScrollBar>
#include <QString>
#include <QTextCursor>

#include <string>

#include "cipher/cipher.h"
#include "lesson/form/click_outcome.h"
#include "lesson/text/field_caps.h"
#include "lesson/text/identity.h"
#include "window/announcer.h"
#include "window/picture_box.h"
#include "window/raw_image.h"
#include "window/window_font.h"

namespace window {

namespace {

// Geometry in device-independent pixels, as the window was designed at 96 dpi.
constexpr int kClientWidth = 532;
constexpr int kClientHeight = 398;
constexpr std::array<QRect, 4> kLabel1 = {QRect(64, 0, 337, 25), QRect(168, 40, 49, 33),
                                          QRect(168, 80, 105, 33), QRect(168, 120, 81, 33)};
constexpr std::array<QRect, 3> kText2 = {QRect(216, 40, 313, 33), QRect(272, 80, 65, 33),
                                         QRect(248, 120, 281, 33)};
constexpr std::array<QRect, 2> kCommand1 = {QRect(168, 160, 105, 33), QRect(424, 160, 105, 33)};
constexpr QRect kText1(8, 208, 521, 185);
constexpr QRect kPicture1(8, 32, 153, 154);
constexpr int kPictureBorder = 2;

const QColor kWindowColour(192, 192, 255);
const QColor kLabelColour(255, 192, 128);

QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

QString ControlName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// Every field is announced by the caption of the label in front of it, without the colon.
QString AccessibleNameFrom(const QLabel* label) {
    QString name = label->text();
    if (name.endsWith(u':')) {
        name.chop(1);
    }
    return name;
}

// The widget's background filled with the colour and its text black, whatever the style and
// the desktop's palette: under a dark palette a label would otherwise draw near-white text.
void FillBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A flat fill in the given colour, drawn the same under every style; the border changes
// with focus and press so the keyboard user still sees where they are.
QString ButtonStyle(const QColor& fill) {
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; border: 2px outset %1; }"
               "QPushButton:focus { border: 2px solid black; }"
               "QPushButton:pressed { border: 2px inset %1; }")
        .arg(fill.name());
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QString::fromUtf16(lesson::kCaption));
    setWindowIcon(QIcon(QPixmap::fromImage(RawImage(QStringLiteral(":/assets/icon.argb")))));
    setFont(WindowFont());
    setFixedSize(kClientWidth, kClientHeight);
    FillBackground(this, kWindowColour);

    CreateControls();
    SetTabOrder();
    m_announcer = new Announcer(this);
    m_announcer->setObjectName(QStringLiteral("announcer"));

    ShowLog();
    Text1[0]->setFocus();
}

void MainWindow::CreateControls() {
    const QString captions[] = {QStringLiteral("Информатика - шифър на Цезар, cipher Zuradi"),
                                QStringLiteral("Текст:"), QStringLiteral("Отместване:"),
                                QStringLiteral("Шифриран:")};
    for (int i = 0; i < 4; ++i) {
        QLabel* label = new QLabel(captions[i], this);
        label->setObjectName(ControlName("Label1", i));
        label->setGeometry(kLabel1[i]);
        label->setAlignment(Qt::AlignCenter);
        FillBackground(label, kLabelColour);
        Label1[i] = label;
    }

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(kPicture1);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(kPictureBorder);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->SetPicture(QStringLiteral(":/assets/disk.argb"),
                         QStringLiteral(":/assets/disk@2x.argb"));
    Picture1->setAccessibleName(QStringLiteral("Шифров диск"));
    Picture1->setAccessibleDescription(
        QStringLiteral("Кафяв диск с два концентрични пръстена от латинските букви от A до Z"));

    const cipher::FormFields& initial = m_form.Fields();
    const std::u16string* const initialTexts[] = {&initial.phrase, &initial.offset,
                                                  &initial.result};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* field = new QLineEdit(this);
        field->setObjectName(ControlName("Text2", i));
        field->setGeometry(kText2[i]);
        if (i < 2) {
            field->setMaxLength(i == 0 ? lesson::kPhraseCap : lesson::kOffsetCap);
        } else {
            field->setReadOnly(true);
        }
        field->setText(ToQString(*initialTexts[i]));
        field->setAccessibleName(AccessibleNameFrom(Label1[i + 1]));
        Label1[i + 1]->setBuddy(field);
        Text2[i] = field;
    }

    const QString commandCaptions[] = {QStringLiteral("Изчисли"), QStringLiteral("Изчисти")};
    const QColor commandColours[] = {QColor(0, 255, 0), QColor(255, 0, 0)};
    for (int i = 0; i < 2; ++i) {
        QPushButton* button = new QPushButton(commandCaptions[i], this);
        button->setObjectName(ControlName("Command1", i));
        button->setGeometry(kCommand1[i]);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setStyleSheet(ButtonStyle(commandColours[i]));
        connect(button, &QPushButton::clicked, this,
                [this, i] { Command1_Click(static_cast<std::int16_t>(i)); });
        Command1[i] = button;
    }

    QPlainTextEdit* log = new QPlainTextEdit(this);
    log->setObjectName(ControlName("Text1", 0));
    log->setGeometry(kText1);
    log->setReadOnly(true);
    // Read-only, yet the keyboard user can still move through the text and select it.
    log->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    log->setFocusPolicy(Qt::StrongFocus);
    log->setTabChangesFocus(true);
    log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    log->setAccessibleName(QStringLiteral("Обяснение и протокол на шифрирането"));
    Text1[0] = log;
}

void MainWindow::SetTabOrder() {
    QWidget* const order[] = {Text1[0],    Text2[0], Text2[1], Command1[0],
                              Command1[1], Picture1, Text2[2]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void MainWindow::Command1_Click(std::int16_t index) {
    m_form.Click(index, Text2[0]->text().toStdU16String(), Text2[1]->text().toStdU16String());
    const lesson::ClickOutcome& outcome = m_form.Outcome();
    ShowSingleLineFields();
    if (m_form.ShowsLog()) {
        ShowLog();
    }
    // A warning box is read out as it opens.
    switch (m_form.NoticeToGive()) {
        case lesson::Form::Notice::kWarning:
            Warn(ToQString(outcome.problemTitle), ToQString(outcome.problem));
            break;
        case lesson::Form::Notice::kAnnouncement:
            m_announcer->Announce(ToQString(outcome.announcement));
            break;
        case lesson::Form::Notice::kNone:
            break;
    }
}

void MainWindow::ShowSingleLineFields() {
    const cipher::FormFields& fields = m_form.Fields();
    const std::u16string* const texts[] = {&fields.phrase, &fields.offset, &fields.result};
    for (int i = 0; i < 3; ++i) {
        const QString text = ToQString(*texts[i]);
        if (Text2[i]->text() != text) {
            Text2[i]->setText(text);
        }
    }
}

void MainWindow::ShowLog() {
    Text1[0]->setPlainText(ToQString(m_form.ShownLog()));
    Text1[0]->moveCursor(QTextCursor::Start);
    Text1[0]->verticalScrollBar()->setValue(0);
}

void MainWindow::Warn(const QString& title, const QString& text) {
    // Modal, but shown without a nested event loop: the click returns at once.
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("warning"));
    // Screen readers announce a warning box by its name as it opens, and Qt names it by its
    // title alone; the name carries what the box says too.
    box->setAccessibleName(QStringLiteral("%1. %2").arg(title, QString(text).replace(u'\n', u' ')));
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

}  // namespace window
