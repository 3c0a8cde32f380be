// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "focus_indicator.h"

#include <QPainter>
#include <QWidget>

namespace orx::forms {

void PaintFocusIndicator(QWidget* control) {
  if (!control->hasFocus()) return;
  QPainter painter(control);
  QPen ring(Qt::black, 2);
  ring.setJoinStyle(Qt::MiterJoin);
  painter.setPen(ring);
  painter.drawRect(QRectF(control->rect()).adjusted(1, 1, -1, -1));
}

}  // namespace orx::forms
