// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include "clock.h"
#include "line_device.h"
#include "sleeper.h"

namespace orx::link {

// The serial port and the high-resolution clock of the platform the program was built for.
std::unique_ptr<LineDevice> MakeSerialLineDevice();
std::unique_ptr<Clock> MakeHighResolutionClock();
// The timer the waits sleep on, to deadlines on `clock` (one made above), or nothing where the
// platform has none fit for 1 ms steps.
std::unique_ptr<Sleeper> MakeHighResolutionSleeper(Clock& clock);

}  // namespace orx::link
