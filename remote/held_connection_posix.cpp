// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "held_connection.h"

namespace orx::remote {

namespace {
constexpr int kPatienceMs = 2000;  // a client that reads nothing for this long gets no more
}

HeldConnection::HeldConnection(qintptr socket_descriptor)
    : handle_(socket_descriptor < 0
                  ? -1
                  : ::fcntl(static_cast<int>(socket_descriptor), F_DUPFD_CLOEXEC, 0)) {}

HeldConnection::~HeldConnection() {
  Close();
}

bool HeldConnection::Write(const QByteArray& bytes) {
  if (handle_ < 0) return false;
  const int fd = static_cast<int>(handle_);
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    const ssize_t count = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count > 0) {
      sent += count;
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd room{fd, POLLOUT, 0};
      if (::poll(&room, 1, kPatienceMs) > 0) continue;
    }
    return false;
  }
  return true;
}

void HeldConnection::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

}  // namespace orx::remote
