// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>

#include "clock.h"
#include "sleeper.h"

namespace orx::link {

// A wait that sleeps to shortly before its deadline and spins the rest: as exact as a pure
// spin, for a fraction of the processor. The margin left for the spin follows how late the
// sleeper has woken in this run. Without a sleeper it is the pure spin.
class PreciseWait {
 public:
  static constexpr double kMinimumMarginMs = 0.05;
  static constexpr double kMaximumMarginMs = 0.2;
  static constexpr double kMarginAboveLatenessMs = 0.02;

  PreciseWait(Clock& clock, Sleeper* sleeper) : clock_(clock), sleeper_(sleeper) {}

  // Returns once the clock has advanced by at least `delay_ms` from the call, never before.
  void Wait(double delay_ms);

  double MarginMs() const { return margin_ms_; }

 private:
  static constexpr std::size_t kLatenessSamples = 512;
  static constexpr std::size_t kMarginUpdateEvery = 64;

  void RememberLateness(double lateness_ms);

  Clock& clock_;
  Sleeper* sleeper_;
  double margin_ms_ = 0.2;  // until this run's own lateness is known
  std::array<double, kLatenessSamples> lateness_ms_{};
  std::size_t samples_ = 0;
};

}  // namespace orx::link
