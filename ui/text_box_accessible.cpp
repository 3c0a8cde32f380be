// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_box_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace orx::ui {

namespace {

class Accessible : public QAccessibleWidget,
                   public QAccessibleTextInterface,
                   public QAccessibleEditableTextInterface {
 public:
  explicit Accessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? Box()->text() : QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (t == QAccessible::Value) Box()->setText(text);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Box()->isReadOnly();
    state.readOnly = Box()->isReadOnly();
    state.selectableText = true;
    return state;
  }

  // The whole text is one run: a text box has no attributes of its own.
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }
  QString text(int start, int end) const override { return Box()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Box()->text().size()); }
  int cursorPosition() const override { return Box()->cursorPosition(); }
  void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
  int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !Box()->hasSelectedText()) return;
    *start = Box()->selectionStart();
    *end = Box()->selectionEnd();
  }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void setSelection(int index, int start, int end) override {
    if (index == 0) Box()->setSelection(start, end - start);
  }
  void removeSelection(int index) override {
    if (index == 0) Box()->deselect();
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
  }
  // Measured from where the text starts in the box, on screen.
  QRect characterRect(int offset) const override {
    const QFontMetrics metrics = Box()->fontMetrics();
    const QString text = Box()->text();
    if (offset < 0 || offset >= text.size()) return QRect();
    const QRect inside = Box()->contentsRect().marginsRemoved(Box()->textMargins());
    const int x = inside.x() + metrics.horizontalAdvance(text.left(offset));
    const QRect local(x, inside.y(), metrics.horizontalAdvance(text.at(offset)), inside.height());
    return QRect(Box()->mapToGlobal(local.topLeft()), local.size());
  }
  void scrollToSubstring(int, int) override {}

  void deleteText(int start, int end) override {
    Box()->setText(Box()->text().remove(start, end - start));
  }
  void insertText(int offset, const QString& text) override {
    Box()->setText(Box()->text().insert(offset, text));
  }
  void replaceText(int start, int end, const QString& text) override {
    Box()->setText(Box()->text().replace(start, end - start, text));
  }

 private:
  QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }
};

}  // namespace

QAccessibleInterface* TextBoxAccessible(QLineEdit* box) {
  return new Accessible(box);
}

}  // namespace orx::ui
