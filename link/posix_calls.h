// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::link {

// The few system calls the serial device makes, so that a test can see each request.
// Each returns what the system call returns and leaves its error in errno.
class PosixCalls {
 public:
  virtual ~PosixCalls() = default;
  virtual int Open(const char* path, int flags) = 0;
  // `argument` is null for requests that take none.
  virtual int Ioctl(int fd, unsigned long request, int* argument) = 0;
  virtual int Flock(int fd, int operation) = 0;
  virtual int Close(int fd) = 0;
};

// The real calls.
PosixCalls& SystemPosixCalls();

}  // namespace orx::link
