// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcement.h"

#include <QTimer>

namespace orx::forms {

Announcement::Announcement(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcement::Say(const QString& text) {
  text_ = text;
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, &Announcement::ShowText);
}

// Screen readers speak a notification when it shows; hiding it first makes the same text
// heard again.
void Announcement::ShowText() {
  pending_ = false;
  setAccessibleName(text_);
  hide();
  show();
}

}  // namespace orx::forms
