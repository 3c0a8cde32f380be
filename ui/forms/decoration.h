// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace orx::forms {

// A drawn rectangle or line of the window's face. It takes no mouse input: presses and
// movements over it belong to the window body.
class Decoration : public QWidget {
  Q_OBJECT

 public:
  Decoration(const QColor& color, QWidget* parent);

  // A one-pixel line between two points, both ends included, in the parent's pixels.
  static Decoration* Line(const QColor& color, QPoint from, QPoint to, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace orx::forms
