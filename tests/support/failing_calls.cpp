// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into a child (LD_PRELOAD), makes the system's own calls fail as a failing disk, a
// full network share or an odd file system makes them fail. ORX_FAIL names the fault:
//   sync          fdatasync and fsync fail with EIO: the data never reached the device
//   chmod-enosys  fchmod fails with ENOSYS, as on FAT through FUSE
//   chmod-eperm   fchmod fails with EPERM, as on vfat
//   chmod-enotsup fchmod fails with ENOTSUP
//   chmod-eio     fchmod fails with EIO
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

bool Failing(const char* fault) {
  const char* chosen = std::getenv("ORX_FAIL");
  return chosen != nullptr && std::strcmp(chosen, fault) == 0;
}

}  // namespace

extern "C" int fdatasync(int fd) {
  if (Failing("sync")) {
    errno = EIO;
    return -1;
  }
  using Real = int (*)(int);
  return reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fdatasync"))(fd);
}

extern "C" int fsync(int fd) {
  if (Failing("sync")) {
    errno = EIO;
    return -1;
  }
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
