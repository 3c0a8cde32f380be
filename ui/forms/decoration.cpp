// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decoration.h"

#include <QPainter>
#include <algorithm>

namespace orx::forms {

Decoration::Decoration(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

Decoration* Decoration::Line(const QColor& color, QPoint from, QPoint to, QWidget* parent) {
  auto* line = new Decoration(color, parent);
  line->setGeometry(QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                          QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y()))));
  return line;
}

void Decoration::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), color_);
}

}  // namespace orx::forms
