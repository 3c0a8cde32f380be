// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window_menu.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace orx::ui {

WindowMenu::WindowMenu(QWidget* window, QList<QAction*> actions)
    : QObject(window), window_(window), actions_(std::move(actions)) {
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(control)) continue;
    // Qt's own menus (a scroll bar's "Scroll here") would tune by surprise; a control of the
    // old forms had none.
    control->setContextMenuPolicy(Qt::DefaultContextMenu);
    control->installEventFilter(this);
  }
  // The menu key comes as a context menu where the window system sends one; Shift+F10, the
  // other key for it, is Qt's to give here.
  auto* keyboard = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
  connect(keyboard, &QShortcut::activated, this, [this] {
    QWidget* focused = window_->focusWidget() ? window_->focusWidget() : window_;
    const QPoint inside = focused->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, focused->mapToGlobal(inside));
    if (qobject_cast<QLineEdit*>(focused))
      QCoreApplication::sendEvent(focused, &event);
    else
      ShowAt(event.globalPos());
  });
}

bool WindowMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
  ShowAt(static_cast<QContextMenuEvent*>(event)->globalPos());
  return true;
}

void WindowMenu::ShowAt(QPoint global) {
  QMenu::exec(actions_, global, nullptr, window_);
}

}  // namespace orx::ui
