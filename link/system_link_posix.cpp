#include "posix_serial_device.h"
#include "steady_clock.h"
#include "system_link.h"

namespace orx::link {

std::unique_ptr<LineDevice> MakeSerialLineDevice() {
  return std::make_unique<PosixSerialDevice>();
}

std::unique_ptr<Clock> MakeHighResolutionClock() {
  return std::make_unique<SteadyClock>();
}

}  // namespace orx::link
