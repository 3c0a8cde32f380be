// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace orx::forms {

// A command button as on Windows: Enter and the keypad's Enter click the focused button, as
// Space does (Qt's own buttons outside a dialog take Space only).
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orx::forms
