// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into a child (LD_PRELOAD), makes the system's own calls fail as a failing disk, a
// full network share or an odd file system makes them fail. ORX_FAIL names the fault:
//   sync          fdatasync and fsync fail with EIO: the data never reached the device
//   slow-sync     fdatasync and fsync take ORX_FAIL_MS milliseconds first, as on a slow SD card
//   chmod-enosys  fchmod fails with ENOSYS, as on FAT through FUSE
//   chmod-eperm   fchmod fails with EPERM, as on vfat
//   chmod-enotsup fchmod fails with ENOTSUP
//   chmod-eio     fchmod fails with EIO
//   chmod-path    chmod of a path fails with EPERM, as for a file of another owner
//   read          read of a file named pll.ini fails with the errno ORX_FAIL_ERRNO gives
//   lock-enolck   flock finds the lock taken, and waiting for it fails with ENOLCK, as a network
//                 share's lock service that gives out
//   modem-lines   a pseudo-terminal gets the lines of a serial port: setting DTR, RTS and
//                 break succeeds (one by one, or all at once as Wine sets them), and the port's
//                 open, lines, break and close are written to ORX_FAIL_EVENTS with the time, as the
//                 recording line device gives them
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

bool Failing(const char* fault) {
  const char* chosen = std::getenv("ORX_FAIL");
  return chosen != nullptr && std::strcmp(chosen, fault) == 0;
}

// Whether `fd` is open on a file whose name ends in pll.ini.
bool IsSettingsFile(int fd) {
  char path[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), path, sizeof path - 1);
  if (length < 0) return false;
  const std::string name(path, static_cast<std::size_t>(length));
  return name.size() >= 7 && name.compare(name.size() - 7, 7, "pll.ini") == 0;
}

// A slow device: the call waits first, then does its work.
void SlowDown() {
  if (!Failing("slow-sync")) return;
  const char* ms = std::getenv("ORX_FAIL_MS");
  const long wait = ms ? std::atol(ms) : 100;
  timespec pause{wait / 1000, (wait % 1000) * 1000000};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

// One line operation as the recording device's events: time in ms, operation (0 open, 1 close,
// 2 DTR, 3 RTS, 4 break), level, and that it reached an open device.
void Record(int operation, bool level) {
  static const int events = [] {
    const char* path = std::getenv("ORX_FAIL_EVENTS");
    return path ? ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  }();
  if (events < 0) return;
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%.4f %d %d 1\n",
                                   now.tv_sec * 1e3 + now.tv_nsec / 1e6, operation, level);
  if (length > 0) static_cast<void>(::write(events, line, static_cast<size_t>(length)));
}

// The stand-in port's DTR and RTS, for a program that reads them back.
int modem_lines = 0;

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list arguments;
  va_start(arguments, request);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  if (Failing("modem-lines") && ::isatty(fd)) {
    switch (request) {
      case TIOCMBIS:
      case TIOCMBIC: {
        const int lines = *static_cast<const int*>(argument);
        if (lines & TIOCM_DTR) Record(2, request == TIOCMBIS);
        if (lines & TIOCM_RTS) Record(3, request == TIOCMBIS);
        modem_lines = request == TIOCMBIS ? modem_lines | lines : modem_lines & ~lines;
        return 0;
      }
      // Wine reads the lines and sets them all at once.
      case TIOCMGET:
        *static_cast<int*>(argument) = modem_lines;
        return 0;
      case TIOCMSET: {
        const int lines = *static_cast<const int*>(argument);
        for (const auto& [line, operation] : {std::pair{TIOCM_DTR, 2}, std::pair{TIOCM_RTS, 3}})
          if ((lines ^ modem_lines) & line) Record(operation, (lines & line) != 0);
        modem_lines = lines;
        return 0;
      }
      case TIOCEXCL:
        Record(0, true);
        break;
      case TIOCNXCL:
        Record(1, false);
        break;
      case TIOCSBRK:
      case TIOCCBRK:
        // Taken here too: qemu-user does not pass break on for every processor it emulates.
        Record(4, request == TIOCSBRK);
        return 0;
      default:
        break;
    }
  }
  using Real = int (*)(int, unsigned long, ...);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "ioctl"))(fd, request, argument);
}

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  if (Failing("read") && IsSettingsFile(fd)) {
    const char* error = std::getenv("ORX_FAIL_ERRNO");
    errno = error ? std::atoi(error) : EIO;
    return -1;
  }
  using Real = ssize_t (*)(int, void*, size_t);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "read"))(fd, buffer, count);
}

extern "C" int fdatasync(int fd) {
  if (Failing("sync")) {
    errno = EIO;
    return -1;
  }
  SlowDown();
  using Real = int (*)(int);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fdatasync"))(fd);
}

extern "C" int fsync(int fd) {
  if (Failing("sync")) {
    errno = EIO;
    return -1;
  }
  SlowDown();
  using Real = int (*)(int);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fsync"))(fd);
}

extern "C" int chmod(const char* path, mode_t mode) noexcept {
  if (Failing("chmod-path")) {
    errno = EPERM;
    return -1;
  }
  using Real = int (*)(const char*, mode_t);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "chmod"))(path, mode);
}

extern "C" int fchmod(int fd, mode_t mode) {
  for (const auto& [fault, error] : {std::pair{"chmod-enosys", ENOSYS},
                                     {"chmod-eperm", EPERM},
                                     {"chmod-enotsup", ENOTSUP},
                                     {"chmod-eio", EIO}}) {
    if (Failing(fault)) {
      errno = error;
      return -1;
    }
  }
  using Real = int (*)(int, mode_t);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fchmod"))(fd, mode);
}

extern "C" int flock(int fd, int operation) {
  if (Failing("lock-enolck")) {
    errno = (operation & LOCK_NB) ? EWOULDBLOCK : ENOLCK;
    return -1;
  }
  using Real = int (*)(int, int);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "flock"))(fd, operation);
}
