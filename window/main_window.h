// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

#include "lesson/form/form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QString;

namespace window {

class Announcer;
class PictureBox;

// The program's one window. Its fields show the lesson's form, which keeps the field texts and
// the code buffer for the window's whole life, and its two buttons run their click through it.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

private:
    void CreateControls();
    void SetTabOrder();
    void Command1_Click(std::int16_t index);
    void ShowSingleLineFields();
    void ShowLog();
    void Warn(const QString& title, const QString& text);

    lesson::Form m_form;

    std::array<QLabel*, 4> Label1{};
    std::array<QPlainTextEdit*, 1> Text1{};
    std::array<QLineEdit*, 3> Text2{};
    std::array<QPushButton*, 2> Command1{};
    PictureBox* Picture1 = nullptr;
    Announcer* m_announcer = nullptr;
};

}  // namespace window
