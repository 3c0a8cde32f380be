// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <chrono>
#include <cstddef>
#include <functional>
#include <map>

namespace orx::remote {

// What a port shuts out is said in one line, at most once a minute for each kind and address,
// so that a page or a host trying without end cannot fill the journal.
class QuietTeller {
 public:
  using Time = std::chrono::steady_clock::time_point;
  using Now = std::function<Time()>;
  using Tell = std::function<void(const QString&)>;
  static constexpr std::chrono::minutes kQuietTime{1};
  // Keys remembered for their quiet time; a flood from more says no more until one expires.
  static constexpr std::size_t kRememberedKeys = 256;

  QuietTeller() = default;
  explicit QuietTeller(Tell tell, Now now = std::chrono::steady_clock::now);

  // Says `text` unless the same `key` was said within the quiet time.
  void Say(const QString& key, const QString& text);

 private:
  // True when `key` was not said within the quiet time; it counts as said now.
  bool Due(const QString& key);

  Tell tell_;
  Now now_ = std::chrono::steady_clock::now;
  std::map<QString, Time> told_;
};

}  // namespace orx::remote
