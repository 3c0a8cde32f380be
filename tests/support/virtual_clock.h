// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/clock.h"

namespace orx::testing {

// A clock that moves on by a fixed step at every read, so that busy waits end after a known
// number of reads and frames take a known, machine-independent time.
class VirtualClock : public link::Clock {
 public:
  // A binary fraction keeps every sum exact in double arithmetic.
  static constexpr double kDefaultStepMs = 1.0 / 1024;

  explicit VirtualClock(double step_ms = kDefaultStepMs) : step_ms_(step_ms) {}

  double ReadMilliseconds() override {
    const double now = now_ms_;
    now_ms_ += step_ms_;
    return now;
  }
  double Now() const { return now_ms_; }
  void Advance(double ms) { now_ms_ += ms; }

 private:
  double step_ms_;
  double now_ms_ = 0;
};

}  // namespace orx::testing
