// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The way from the window to the web page: its links, for a phone to scan.
#include <QAction>

#include "ui/form1.h"
#include "ui/phone_link.h"
#include "ui/window_menu.h"

namespace orx::ui {

void Form1::OfferPhoneLinks(const QStringList& links) {
  const bool offered = !phone_links_.isEmpty();
  phone_links_ = links;
  if (links.isEmpty() || offered) return;
  // A borderless window has no menu bar; its context menu is where the rest of the desktop
  // keeps such things.
  auto* action = new QAction(QStringLiteral("Spletna stran za telefon …"), this);
  connect(action, &QAction::triggered, this, &Form1::ShowPhoneLinks);
  new WindowMenu(this, {action});
}

void Form1::ShowPhoneLinks() {
  if (!phone_link_) {
    phone_link_ = new PhoneLink(phone_links_, this);
    phone_link_->setAttribute(Qt::WA_DeleteOnClose);
  }
  // Not modal: the receiver is tuned on while the phone takes the code.
  phone_link_->show();
  phone_link_->raise();
  phone_link_->activateWindow();
}

}  // namespace orx::ui
