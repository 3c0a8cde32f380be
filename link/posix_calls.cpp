// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "posix_calls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orx::link {

namespace {

class SystemCalls : public PosixCalls {
 public:
  int Open(const char* path, int flags) override { return ::open(path, flags); }
  int Ioctl(int fd, unsigned long request, int* argument) override {
    return argument ? ::ioctl(fd, request, argument) : ::ioctl(fd, request);
  }
  int Flock(int fd, int operation) override { return ::flock(fd, operation); }
  int Close(int fd) override { return ::close(fd); }
};

}  // namespace

PosixCalls& SystemPosixCalls() {
  static SystemCalls calls;
  return calls;
}

}  // namespace orx::link
