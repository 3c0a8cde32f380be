// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_serial_device.h"

namespace orx::link {

namespace {
constexpr std::string_view kWindowsPortPrefix = "COM";
constexpr double kMsPerSecond = 1000.0;
}  // namespace

std::string Win32DeviceName(std::string_view port_name) {
  const bool com = port_name.size() > kWindowsPortPrefix.size() &&
                   port_name.substr(0, kWindowsPortPrefix.size()) == kWindowsPortPrefix;
  return (com ? std::string("\\\\.\\") : std::string()) + std::string(port_name);
}

OpenResult OpenResultFromWin32Error(DWORD error, std::string device, std::string message) {
  OpenResult result{OpenFailure::kOther, std::move(device), std::move(message)};
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      result.failure = OpenFailure::kMissing;
      break;
    // A port held by another program is refused as "access denied".
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      result.failure = OpenFailure::kBusy;
      break;
    default:
      break;
  }
  return result;
}

bool Win32SerialDevice::Open(std::string_view port_name) {
  Close();
  const std::string name = Win32DeviceName(port_name);
  const HANDLE handle = calls_.CreateFile(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          /*no sharing*/ 0, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = calls_.LastError();
    last_open_ = OpenResultFromWin32Error(error, name, calls_.ErrorText(error));
    return false;
  }
  handle_ = handle;
  last_open_ = OpenResult{OpenFailure::kNone, name, {}};
  return true;
}

void Win32SerialDevice::Close() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  calls_.CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool Win32SerialDevice::SetDtr(bool asserted) {
  return Escape(asserted ? SETDTR : CLRDTR);
}

bool Win32SerialDevice::SetRts(bool asserted) {
  return Escape(asserted ? SETRTS : CLRRTS);
}

bool Win32SerialDevice::SetBreak(bool on) {
  return Escape(on ? SETBREAK : CLRBREAK);
}

bool Win32SerialDevice::Escape(DWORD function) {
  if (handle_ == INVALID_HANDLE_VALUE) return true;
  return calls_.EscapeCommFunction(handle_, function) != 0;
}

PerformanceCounterClock::PerformanceCounterClock(Win32Calls& calls) : calls_(calls) {
  counts_per_ms_ = static_cast<double>(calls_.PerformanceFrequency()) / kMsPerSecond;
}

double PerformanceCounterClock::ReadMilliseconds() {
  return static_cast<double>(calls_.PerformanceCounter()) / counts_per_ms_;
}

}  // namespace orx::link
