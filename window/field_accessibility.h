// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace window {

// What a screen reader sees of a single-line field: its text, caret, selection and editing,
// with the whole text as one run of attributes. Qt 6.4's own interface for QLineEdit reports
// an empty run at every offset, from which Orca reads the field a second time without its
// last character.
class FieldAccessibility : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessibility(QLineEdit* field);

    // Makes every QLineEdit of the application use this interface.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QAccessible::State state() const override;

    void addSelection(int startOffset, int endOffset) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    int cursorPosition() const override;
    QRect characterRect(int offset) const override;
    int selectionCount() const override;
    int offsetAtPoint(const QPoint& point) const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void removeSelection(int selectionIndex) override;
    void setCursorPosition(int position) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    void scrollToSubstring(int startIndex, int endIndex) override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* Field() const;
};

}  // namespace window
