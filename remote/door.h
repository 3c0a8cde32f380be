// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QString>
#include <chrono>
#include <functional>
#include <map>
#include <optional>

#include "allow_list.h"

namespace orx::remote {

// Who may use the control port: its own clients, never a web page, and when the user gave a
// list, only the addresses on it. What it shuts out it says in one line, at most once a minute
// for each kind and address, so that a page or a host trying without end cannot fill the journal.
class Door {
 public:
  using Time = std::chrono::steady_clock::time_point;
  using Now = std::function<Time()>;
  using Tell = std::function<void(const QString&)>;
  static constexpr std::chrono::minutes kQuietTime{1};
  // Addresses remembered for their quiet time; a flood from more says no more until one expires.
  static constexpr std::size_t kRememberedAddresses = 256;

  Door() = default;
  Door(std::optional<AllowList> allow, Tell tell, Now now = std::chrono::steady_clock::now);

  // Whether a client from `peer` is served; a refused one is told, by its address.
  bool Admits(const QHostAddress& peer);
  // A connection from `peer` sent an HTTP request and was closed.
  void ShutOutWebPage(const QHostAddress& peer);

 private:
  // True when `key` was not told within the quiet time; it is told now.
  bool Due(const QString& key);

  std::optional<AllowList> allow_;
  Tell tell_;
  Now now_ = std::chrono::steady_clock::now;
  std::map<QString, Time> told_;
};

}  // namespace orx::remote
