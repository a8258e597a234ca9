// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

#include "cipher/cipher.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QString;

namespace window {

class Announcer;
class PictureBox;

// The program's one window. Its fields show a cipher::FormFields record that it keeps for its
// whole life, together with the code buffer, and its two buttons run cipher::Command1_Click.
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

    cipher::FormFields m_fields;
    cipher::CodeBuffer m_codes{};

    std::array<QLabel*, 4> Label1{};
    std::array<QPlainTextEdit*, 1> Text1{};
    std::array<QLineEdit*, 3> Text2{};
    std::array<QPushButton*, 2> Command1{};
    PictureBox* Picture1 = nullptr;
    Announcer* m_announcer = nullptr;
};

}  // namespace window
