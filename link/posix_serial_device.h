#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "line_device.h"

namespace orx::link {

// "COM1" .. "COM9" name ttyS0 .. ttyS8 in the device folder; any other name names no device.
std::optional<std::string> SerialDevicePath(std::string_view port_name,
                                            std::string_view device_folder = "/dev");

// A serial port on Linux, driven through modem-control and break ioctls. The port is never
// configured: no termios settings are read or written.
class PosixSerialDevice : public LineDevice {
 public:
  PosixSerialDevice() = default;
  ~PosixSerialDevice() override;
  PosixSerialDevice(const PosixSerialDevice&) = delete;
  PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

  bool Open(std::string_view port_name) override;
  // Opens a device file by path for exclusive use; false when it is missing or held.
  bool OpenPath(const std::string& path);
  void Close() override;

  bool SetDtr(bool asserted) override;
  bool SetRts(bool asserted) override;
  bool SetBreak(bool on) override;

 private:
  bool SetModemLine(int line_bit, bool asserted);

  int fd_ = -1;
};

}  // namespace orx::link
