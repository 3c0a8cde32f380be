// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace orx::forms {

// A single-line text box that raises KeyUp when a key is released while it has the focus.
// Line breaks never enter it, not even by pasting: each becomes a space. The focus shows as the
// same black ring as on the other controls.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TextBox(const QString& text, QWidget* parent = nullptr);

 signals:
  void KeyUp();

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orx::forms
