// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_box.h"

#include <QKeyEvent>

#include "focus_indicator.h"
#include "mouse_routing.h"

namespace orx::forms {

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  KeepMouseInput(this);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& changed) {
    if (!changed.contains(u'\n') && !changed.contains(u'\r')) return;
    const int cursor = cursorPosition();
    QString single_line = changed;
    single_line.replace(u'\r', u' ').replace(u'\n', u' ');
    setText(single_line);
    setCursorPosition(cursor);
  });
}

void TextBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  PaintFocusIndicator(this);
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit KeyUp();
}

}  // namespace orx::forms
