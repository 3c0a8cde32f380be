// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "precise_wait.h"

#include <algorithm>

namespace orx::link {

namespace {
// The margin covers all but the latest 1 % of the recent wake-ups; those few cost a longer
// wait, never a short one. Its ceiling keeps the spin to a fraction of each wait even where
// the timer's tail is long (virtual machines wake up milliseconds late now and then).
constexpr double kCoveredFraction = 0.99;
}  // namespace

void PreciseWait::Wait(double delay_ms) {
  const double start = clock_.ReadMilliseconds();
  const double deadline = start + delay_ms;
  if (sleeper_ != nullptr) {
    const double wake = deadline - margin_ms_;
    if (wake > start) {
      sleeper_->SleepUntil(wake);
      RememberLateness(clock_.ReadMilliseconds() - wake);
    }
  }
  while (clock_.ReadMilliseconds() < deadline) {
  }
}

void PreciseWait::RememberLateness(double lateness_ms) {
  lateness_ms_[samples_ % kLatenessSamples] = std::max(lateness_ms, 0.0);
  ++samples_;
  if (samples_ % kMarginUpdateEvery != 0) return;
  const std::size_t count = std::min(samples_, kLatenessSamples);
  std::array<double, kLatenessSamples> recent = lateness_ms_;
  const auto covered = recent.begin() + static_cast<std::ptrdiff_t>(kCoveredFraction * (count - 1));
  std::nth_element(recent.begin(), covered, recent.begin() + static_cast<std::ptrdiff_t>(count));
  margin_ms_ = std::clamp(*covered + kMarginAboveLatenessMs, kMinimumMarginMs, kMaximumMarginMs);
}

}  // namespace orx::link
