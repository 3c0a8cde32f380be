// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "front_panel.h"

#include <QColor>
#include <QPainter>
#include <QRect>

namespace orx::ui {

namespace {

const QColor kGround(132, 132, 132);
const QColor kRimLight(214, 214, 214);
const QColor kRimShadow(66, 66, 66);
const QColor kBevelLight(190, 190, 190);
const QColor kBevelShadow(88, 88, 88);
const QColor kPanelFace(140, 140, 140);

constexpr int kRimWidth = 2;
constexpr int kBevelWidth = 2;

// The three panels, edges included: read-out, presets, and the bottom row of controls.
constexpr QRect kPanels[] = {QRect(QPoint(7, 7), QPoint(212, 100)),
                             QRect(QPoint(215, 7), QPoint(556, 100)),
                             QRect(QPoint(7, 103), QPoint(556, 180))};

// Light top and left edges over dark bottom and right edges: raised.
void Bevel(QPainter& painter, QRect area, int width, const QColor& light, const QColor& dark) {
  for (int i = 0; i < width; ++i) {
    const QRect edge = area.adjusted(i, i, -i, -i);
    painter.fillRect(QRect(edge.topLeft(), QSize(edge.width(), 1)), light);
    painter.fillRect(QRect(edge.topLeft(), QSize(1, edge.height())), light);
    painter.fillRect(QRect(edge.left(), edge.bottom(), edge.width(), 1), dark);
    painter.fillRect(QRect(edge.right(), edge.top(), 1, edge.height()), dark);
  }
}

}  // namespace

void PaintFrontPanel(QPainter& painter) {
  const QRect whole(QPoint(0, 0), kFrontPanelSize);
  painter.fillRect(whole, kGround);
  Bevel(painter, whole, kRimWidth, kRimLight, kRimShadow);
  for (const QRect& panel : kPanels) {
    painter.fillRect(panel, kPanelFace);
    Bevel(painter, panel, kBevelWidth, kBevelLight, kBevelShadow);
  }
}

}  // namespace orx::ui
