// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QString>
#include <chrono>
#include <optional>

#include "allow_list.h"
#include "quiet_teller.h"

namespace orx::remote {

// Who may use the control port: its own clients, never a web page, and when the user gave a
// list, only the addresses on it. What it shuts out it says, quietly (see QuietTeller).
class Door {
 public:
  using Now = QuietTeller::Now;
  using Tell = QuietTeller::Tell;

  Door() = default;
  Door(std::optional<AllowList> allow, Tell tell, Now now = std::chrono::steady_clock::now);

  // Whether a client from `peer` is served; a refused one is told, by its address.
  bool Admits(const QHostAddress& peer);
  // A connection from `peer` sent an HTTP request and was closed.
  void ShutOutWebPage(const QHostAddress& peer);

 private:
  std::optional<AllowList> allow_;
  QuietTeller teller_;
};

}  // namespace orx::remote
