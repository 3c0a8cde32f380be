#pragma once

#include <memory>

#include "clock.h"
#include "line_device.h"

namespace orx::link {

// The serial port and the high-resolution clock of the platform the program was built for.
std::unique_ptr<LineDevice> MakeSerialLineDevice();
std::unique_ptr<Clock> MakeHighResolutionClock();

}  // namespace orx::link
