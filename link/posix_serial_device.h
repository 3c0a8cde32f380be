// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "line_device.h"
#include "posix_calls.h"

namespace orx::link {

// "COMn" (n >= 1) names ttyS<n-1> in the device folder; an absolute path names itself
// (symbolic links such as /dev/serial/by-id/... are followed). Anything else names no device.
std::optional<std::string> SerialDevicePath(std::string_view port_name,
                                            std::string_view device_folder = "/dev");

// Sorts an errno from opening or locking a device into what the user can act on.
OpenResult OpenResultFromErrno(int error, std::string device);

// A serial port on Linux, driven through modem-control and break ioctls. The port is never
// configured: no termios settings are read or written.
class PosixSerialDevice : public LineDevice {
 public:
  explicit PosixSerialDevice(PosixCalls& calls = SystemPosixCalls(),
                             std::string device_folder = "/dev")
      : calls_(calls), device_folder_(std::move(device_folder)) {}
  ~PosixSerialDevice() override;
  PosixSerialDevice(const PosixSerialDevice&) = delete;
  PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

  bool Open(std::string_view port_name) override;
  // Opens a device file by path for exclusive use; false when it is missing or held.
  bool OpenPath(const std::string& path);
  void Close() override;
  const OpenResult& LastOpen() const override { return last_open_; }

  bool SetDtr(bool asserted) override;
  bool SetRts(bool asserted) override;
  bool SetBreak(bool on) override;

 private:
  bool SetModemLine(int line_bit, bool asserted);
  bool Fail(int error, const std::string& device);

  PosixCalls& calls_;
  std::string device_folder_;
  OpenResult last_open_;
  int fd_ = -1;
};

}  // namespace orx::link
