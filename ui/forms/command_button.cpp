// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_button.h"

#include <QKeyEvent>

#include "focus_indicator.h"

namespace orx::forms {

void CommandButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  PaintFocusIndicator(this);
}

}  // namespace orx::forms
