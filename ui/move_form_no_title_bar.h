// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <optional>

class QWidget;

namespace orx::ui::MoveFormNoTitleBar {

// Asks the windowing system to move the window with the pointer while the button is held, as
// a drag on a title bar would. False where the platform declines (no window manager, offscreen).
bool StartSystemMove(QWidget* window);

// Moves a window by hand with the pointer, where the system will not.
class ManualMove {
 public:
  void Begin(QWidget* window, QPoint pointer_global);
  // True while a move is under way; the window then follows the pointer.
  bool Follow(QPoint pointer_global);
  void End() { window_ = nullptr; }

 private:
  QWidget* window_ = nullptr;
  QPoint grab_offset_;
};

}  // namespace orx::ui::MoveFormNoTitleBar
