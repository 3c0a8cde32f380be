// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "door.h"

#include <utility>

namespace orx::remote {

namespace {

const QString kWebPageKey = QStringLiteral("http");

}  // namespace

Door::Door(std::optional<AllowList> allow, Tell tell, Now now)
    : allow_(std::move(allow)), teller_(std::move(tell), std::move(now)) {}

bool Door::Admits(const QHostAddress& peer) {
  if (!allow_ || allow_->Allows(peer)) return true;
  const QString address = Unmapped(peer).toString();
  teller_.Say(address, QStringLiteral("odjemalec z naslova %1 ni na seznamu --rigctld-allow; vrata "
                                      "za ukaze Hamlib so ga zavrnila.")
                           .arg(address));
  return false;
}

void Door::ShutOutWebPage(const QHostAddress& peer) {
  teller_.Say(kWebPageKey,
              QStringLiteral("spletna stran (zahteva HTTP z naslova %1) je poskušala uporabiti "
                             "vrata za ukaze Hamlib; povezava je zaprta, noben njen ukaz ni bil "
                             "izveden.")
                  .arg(Unmapped(peer).toString()));
}

}  // namespace orx::remote
