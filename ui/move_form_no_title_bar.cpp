// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "move_form_no_title_bar.h"

#include <QWidget>
#include <QWindow>

namespace orx::ui::MoveFormNoTitleBar {

bool StartSystemMove(QWidget* window) {
  QWindow* handle = window->windowHandle();
  return handle != nullptr && handle->startSystemMove();
}

void ManualMove::Begin(QWidget* window, QPoint pointer_global) {
  window_ = window;
  grab_offset_ = pointer_global - window->pos();
}

bool ManualMove::Follow(QPoint pointer_global) {
  if (window_ == nullptr) return false;
  window_->move(pointer_global - grab_offset_);
  return true;
}

}  // namespace orx::ui::MoveFormNoTitleBar
