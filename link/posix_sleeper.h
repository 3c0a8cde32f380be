// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sleeper.h"

namespace orx::link {

// clock_nanosleep on CLOCK_MONOTONIC, the clock behind SteadyClock, to an absolute deadline,
// with the thread's timer slack cut to 1 ns so that the kernel does not round wake-ups late.
class PosixSleeper : public Sleeper {
 public:
  PosixSleeper();
  void SleepUntil(double deadline_ms) override;
};

}  // namespace orx::link
