// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "posix_serial_device.h"
#include "posix_sleeper.h"
#include "steady_clock.h"
#include "system_link.h"

namespace orx::link {

std::unique_ptr<LineDevice> MakeSerialLineDevice() {
  return std::make_unique<PosixSerialDevice>();
}

std::unique_ptr<Clock> MakeHighResolutionClock() {
  return std::make_unique<SteadyClock>();
}

std::unique_ptr<Sleeper> MakeHighResolutionSleeper(Clock&) {
  return std::make_unique<PosixSleeper>();
}

}  // namespace orx::link
