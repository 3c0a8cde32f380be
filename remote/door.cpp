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
    : allow_(std::move(allow)), tell_(std::move(tell)), now_(std::move(now)) {}

bool Door::Admits(const QHostAddress& peer) {
  if (!allow_ || allow_->Allows(peer)) return true;
  const QString address = Unmapped(peer).toString();
  if (Due(address)) {
    tell_(QStringLiteral("odjemalec z naslova %1 ni na seznamu --rigctld-allow; vrata za ukaze "
                         "Hamlib so ga zavrnila.")
              .arg(address));
  }
  return false;
}

void Door::ShutOutWebPage(const QHostAddress& peer) {
  if (!Due(kWebPageKey)) return;
  tell_(QStringLiteral("spletna stran (zahteva HTTP z naslova %1) je poskušala uporabiti vrata "
                       "za ukaze Hamlib; povezava je zaprta, noben njen ukaz ni bil izveden.")
            .arg(Unmapped(peer).toString()));
}

bool Door::Due(const QString& key) {
  if (!tell_) return false;
  const Time now = now_();
  const auto told = told_.find(key);
  if (told != told_.end()) {
    if (now - told->second < kQuietTime) return false;
    told->second = now;
    return true;
  }
  if (told_.size() >= kRememberedAddresses) {
    std::erase_if(told_, [now](const auto& entry) { return now - entry.second >= kQuietTime; });
    if (told_.size() >= kRememberedAddresses) return false;
  }
  told_.emplace(key, now);
  return true;
}

}  // namespace orx::remote
