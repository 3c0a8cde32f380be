// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "posix_serial_device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace orx::link {

namespace {
constexpr std::string_view kWindowsPortPrefix = "COM";
constexpr std::string_view kLinuxPortPrefix = "/ttyS";
constexpr int kOpenFlags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
}  // namespace

std::optional<std::string> SerialDevicePath(std::string_view port_name,
                                            std::string_view device_folder) {
  if (port_name.starts_with('/')) return std::string(port_name);
  if (!port_name.starts_with(kWindowsPortPrefix)) return std::nullopt;
  const std::string_view digits = port_name.substr(kWindowsPortPrefix.size());
  if (digits.empty() || digits.front() == '0') return std::nullopt;
  unsigned number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return std::string(device_folder) + std::string(kLinuxPortPrefix) + std::to_string(number - 1);
}

OpenResult OpenResultFromErrno(int error, std::string device) {
  OpenResult result{OpenFailure::kOther, std::move(device), std::strerror(error), error};
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      result.failure = OpenFailure::kMissing;
      break;
    case EBUSY:
    case EWOULDBLOCK:
      result.failure = OpenFailure::kBusy;
      break;
    case EACCES:
    case EPERM:
      result.failure = OpenFailure::kPermission;
      break;
    default:
      break;
  }
  return result;
}

PosixSerialDevice::~PosixSerialDevice() {
  Close();
}

bool PosixSerialDevice::Open(std::string_view port_name) {
  const auto path = SerialDevicePath(port_name, device_folder_);
  if (!path) {
    Close();
    return Fail(ENOENT, std::string(port_name));
  }
  return OpenPath(*path);
}

bool PosixSerialDevice::OpenPath(const std::string& path) {
  Close();
  const int fd = calls_.Open(path.c_str(), kOpenFlags);
  if (fd < 0) return Fail(errno, path);
  // No sharing: the synthesizer must not see a second program's line changes.
  if (calls_.Ioctl(fd, TIOCEXCL, nullptr) != 0 || calls_.Flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    calls_.Close(fd);
    return Fail(error, path);
  }
  fd_ = fd;
  last_open_ = OpenResult{OpenFailure::kNone, path, {}};
  return true;
}

bool PosixSerialDevice::Fail(int error, const std::string& device) {
  last_open_ = OpenResultFromErrno(error, device);
  return false;
}

void PosixSerialDevice::Close() {
  if (fd_ < 0) return;
  // The exclusive mode belongs to the terminal, not to our descriptor: it would outlive us and
  // refuse every later open.
  calls_.Ioctl(fd_, TIOCNXCL, nullptr);
  calls_.Close(fd_);
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
  return calls_.Ioctl(fd_, on ? TIOCSBRK : TIOCCBRK, nullptr) == 0;
}

bool PosixSerialDevice::SetModemLine(int line_bit, bool asserted) {
  if (fd_ < 0) return true;
  return calls_.Ioctl(fd_, asserted ? TIOCMBIS : TIOCMBIC, &line_bit) == 0;
}

}  // namespace orx::link
