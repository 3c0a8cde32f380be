// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

#include "clock.h"
#include "line_device.h"
#include "win32_calls.h"

namespace orx::link {

// "COMn" opens as \\.\COMn, the only form that reaches COM10 and above; other names are
// passed to the system as given.
std::string Win32DeviceName(std::string_view port_name);

// Sorts a Win32 error from opening a port into what the user can act on.
OpenResult OpenResultFromWin32Error(DWORD error, std::string device, std::string message);

// A serial port on Windows, driven through EscapeCommFunction. The port is never configured.
class Win32SerialDevice : public LineDevice {
 public:
  explicit Win32SerialDevice(Win32Calls& calls = SystemWin32Calls()) : calls_(calls) {}
  ~Win32SerialDevice() override { Close(); }
  Win32SerialDevice(const Win32SerialDevice&) = delete;
  Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

  bool Open(std::string_view port_name) override;
  void Close() override;
  const OpenResult& LastOpen() const override { return last_open_; }

  bool SetDtr(bool asserted) override;
  bool SetRts(bool asserted) override;
  bool SetBreak(bool on) override;

 private:
  bool Escape(DWORD function);

  Win32Calls& calls_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  OpenResult last_open_;
};

// Milliseconds from the performance counter at the rate the counter reports for itself.
class PerformanceCounterClock : public Clock {
 public:
  explicit PerformanceCounterClock(Win32Calls& calls = SystemWin32Calls());
  double ReadMilliseconds() override;

 private:
  Win32Calls& calls_;
  double counts_per_ms_ = 1.0;
};

}  // namespace orx::link
