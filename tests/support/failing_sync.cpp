// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into a child (LD_PRELOAD), makes the system's own sync calls fail as a failing disk
// or a full network share makes them fail: the data never reached the device.
#include <cerrno>

extern "C" int fdatasync(int) {
  errno = EIO;
  return -1;
}

extern "C" int fsync(int) {
  errno = EIO;
  return -1;
}
