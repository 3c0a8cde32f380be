// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QWidget>

namespace orx::ui {

// The context menu of a window whose controls keep the mouse to themselves: asked for on any
// control, by the right button, the menu key or Shift+F10, it is the window's. A text box keeps
// its own menu of editing. The window's body is left alone, where any button moves the window.
class WindowMenu : public QObject {
  Q_OBJECT

 public:
  WindowMenu(QWidget* window, QList<QAction*> actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowAt(QPoint global);

  QWidget* window_;
  QList<QAction*> actions_;
};

}  // namespace orx::ui
