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
//   read          read of a file named pll.ini fails with the errno ORX_FAIL_ERRNO gives
//   lock-enolck   flock finds the lock taken, and waiting for it fails with ENOLCK, as a network
//                 share's lock service that gives out
#include <dlfcn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

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
