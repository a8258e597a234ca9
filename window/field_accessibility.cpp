// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/field_accessibility.h"

#include <QFontMetrics>
#include <QLatin1String>
#include <QLineEdit>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVariant>

namespace window {

namespace {

QAccessibleInterface* FieldFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLineEdit")) {
        return new FieldAccessibility(static_cast<QLineEdit*>(object));
    }
    return nullptr;
}

}  // namespace

FieldAccessibility::FieldAccessibility(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText) {}

void FieldAccessibility::Install() { QAccessible::installFactory(FieldFactory); }

QLineEdit* FieldAccessibility::Field() const { return static_cast<QLineEdit*>(widget()); }

void* FieldAccessibility::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString FieldAccessibility::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? Field()->displayText() : QAccessibleWidget::text(kind);
}

void FieldAccessibility::setText(QAccessible::Text kind, const QString& text) {
    if (kind != QAccessible::Value) {
        QAccessibleWidget::setText(kind, text);
    } else if (!Field()->isReadOnly()) {
        Field()->setText(text);
    }
}

QAccessible::State FieldAccessibility::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Field()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    state.passwordEdit = Field()->echoMode() != QLineEdit::Normal;
    return state;
}

void FieldAccessibility::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

QString FieldAccessibility::attributes(int offset, int* startOffset, int* endOffset) const {
    // One font and colour throughout: one run over the whole text.
    if (offset < 0 || offset > characterCount()) {
        *startOffset = *endOffset = -1;
    } else {
        *startOffset = 0;
        *endOffset = characterCount();
    }
    return {};
}

int FieldAccessibility::cursorPosition() const { return Field()->cursorPosition(); }

QRect FieldAccessibility::characterRect(int offset) const {
    const QString shown = Field()->displayText();
    if (offset < 0 || offset >= shown.size()) {
        return {};
    }
    // The text runs left to right from the caret's place, scrolled as the field shows it.
    const QFontMetrics metrics(Field()->font());
    const QRect caret = Field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int caretPosition = Field()->cursorPosition();
    const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(caretPosition));
    const int width = qMax(metrics.horizontalAdvance(shown.at(offset)), 1);
    return {Field()->mapToGlobal(QPoint(x, caret.y())), QSize(width, caret.height())};
}

int FieldAccessibility::selectionCount() const { return Field()->hasSelectedText() ? 1 : 0; }

int FieldAccessibility::offsetAtPoint(const QPoint& point) const {
    return Field()->cursorPositionAt(Field()->mapFromGlobal(point));
}

void FieldAccessibility::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Field()->hasSelectedText()) {
        return;
    }
    *startOffset = Field()->selectionStart();
    *endOffset = Field()->selectionEnd();
}

QString FieldAccessibility::text(int startOffset, int endOffset) const {
    return Field()->displayText().mid(startOffset, endOffset - startOffset);
}

int FieldAccessibility::characterCount() const {
    return static_cast<int>(Field()->displayText().size());
}

void FieldAccessibility::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        Field()->deselect();
    }
}

void FieldAccessibility::setCursorPosition(int position) { Field()->setCursorPosition(position); }

void FieldAccessibility::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        Field()->setSelection(startOffset, endOffset - startOffset);
    }
}

void FieldAccessibility::scrollToSubstring(int startIndex, int /*endIndex*/) {
    Field()->setCursorPosition(startIndex);
}

void FieldAccessibility::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void FieldAccessibility::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void FieldAccessibility::replaceText(int startOffset, int endOffset, const QString& text) {
    // Edits through the screen reader obey the field as typing does: not when it is
    // read-only, and never past its cap, which setText enforces.
    if (Field()->isReadOnly() || startOffset < 0 || endOffset < startOffset ||
        endOffset > characterCount()) {
        return;
    }
    Field()->setText(Field()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace window
