// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "posix_sleeper.h"

#include <sys/prctl.h>

#include <cerrno>
#include <cmath>
#include <ctime>

namespace orx::link {

namespace {
constexpr long kTimerSlackNs = 1;
constexpr double kNsPerMs = 1e6;
constexpr long kNsPerSecond = 1'000'000'000;
}  // namespace

PosixSleeper::PosixSleeper() {
  ::prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0);
}

void PosixSleeper::SleepUntil(double deadline_ms) {
  const auto total_ns = static_cast<long long>(std::floor(deadline_ms * kNsPerMs));
  timespec deadline{};
  deadline.tv_sec = static_cast<time_t>(total_ns / kNsPerSecond);
  deadline.tv_nsec = static_cast<long>(total_ns % kNsPerSecond);
  // A signal ends the sleep early; sleep on to the same absolute deadline.
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

}  // namespace orx::link
