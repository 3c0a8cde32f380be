// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

#include "clock.h"
#include "line_device.h"
#include "precise_wait.h"

namespace orx::link {

// The port, its three control lines, the clock and the busy wait.
class Module1 {
 public:
  // Without a sleeper every wait is a pure spin.
  Module1(LineDevice& device, Clock& clock, Sleeper* sleeper = nullptr)
      : device_(device), clock_(clock), wait_(clock, sleeper) {}

  // Opens the named port; a trailing colon is dropped ("COM2:" -> "COM2"). Returns 1 when the
  // device opened and 0 when it did not; LastOpen() then says why.
  int16_t OpenPort(std::string_view name);
  void ClosePort();
  const OpenResult& LastOpen() const { return device_.LastOpen(); }

  // Level 1 sets the line; any other level clears it.
  void SetDtr(int16_t level);
  void SetRts(int16_t level);
  void SetTxd(int16_t level);

  double ReadClock();
  // Returns once the clock has advanced by at least `delay` milliseconds, never before: the
  // thread sleeps to just short of the deadline and spins the rest, so that a frame's timing
  // does not depend on the scheduler and the processor is not held for the whole of it.
  void BusyWait(double delay);

  // 0 until the open, then 1 for a good open and -1 for a failed one. Closing keeps it.
  int32_t PortHandle() const { return port_handle_; }

  // True once a line operation has failed on an open device; such a port cannot drive the
  // synthesizer even though it opened.
  bool LineOperationFailed() const { return failed_operations_ > 0; }
  // How many line operations on an open device have failed so far.
  long FailedOperations() const { return failed_operations_; }

 private:
  void Remember(bool line_operation_succeeded);

  LineDevice& device_;
  Clock& clock_;
  PreciseWait wait_;
  int32_t port_handle_ = 0;
  long failed_operations_ = 0;
};

}  // namespace orx::link
