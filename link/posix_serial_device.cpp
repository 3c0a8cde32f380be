#include "posix_serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orx::link {

namespace {
constexpr std::string_view kWindowsPortPrefix = "COM";
constexpr std::string_view kLinuxPortPrefix = "/ttyS";
}  // namespace

std::optional<std::string> SerialDevicePath(std::string_view port_name,
                                            std::string_view device_folder) {
  if (port_name.size() != kWindowsPortPrefix.size() + 1) return std::nullopt;
  if (!port_name.starts_with(kWindowsPortPrefix)) return std::nullopt;
  const char digit = port_name.back();
  if (digit < '1' || digit > '9') return std::nullopt;
  return std::string(device_folder) + std::string(kLinuxPortPrefix) + static_cast<char>(digit - 1);
}

PosixSerialDevice::~PosixSerialDevice() {
  Close();
}

bool PosixSerialDevice::Open(std::string_view port_name) {
  const auto path = SerialDevicePath(port_name);
  return path && OpenPath(*path);
}

bool PosixSerialDevice::OpenPath(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  // No sharing: the synthesizer must not see a second program's line changes.
  if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void PosixSerialDevice::Close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

bool PosixSerialDevice::SetDtr(bool asserted) {
  return SetModemLine(TIOCM_DTR, asserted);
}

bool PosixSerialDevice::SetRts(bool asserted) {
  return SetModemLine(TIOCM_RTS, asserted);
}

bool PosixSerialDevice::SetBreak(bool on) {
  if (fd_ < 0) return true;
  return ::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) == 0;
}

bool PosixSerialDevice::SetModemLine(int line_bit, bool asserted) {
  if (fd_ < 0) return true;
  return ::ioctl(fd_, asserted ? TIOCMBIS : TIOCMBIC, &line_bit) == 0;
}

}  // namespace orx::link
