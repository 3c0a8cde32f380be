// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>

namespace orx::testing {

// A client of the plainest kind, outside Qt, on this machine's own address: what it sends goes
// out at once, and it reads only when the test says so.
struct LoopbackOptions {
  int receive_buffer = 0;    // bytes; a small one makes the window it offers small
  int patience_seconds = 0;  // how long a blocking read waits; 0 for ever
};

inline int LoopbackConnection(quint16 port, LoopbackOptions options = {}) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (options.receive_buffer > 0) {
    (void)setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &options.receive_buffer,
                     sizeof options.receive_buffer);
  }
  if (options.patience_seconds > 0) {
    const timeval patience{options.patience_seconds, 0};
    (void)setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  close(fd);
  return -1;
}

// One line of an answer, without its LF; blocks for the connection's patience at most.
inline QByteArray ReadLine(int fd) {
  QByteArray line;
  char c = 0;
  while (recv(fd, &c, 1, 0) == 1 && c != '\n') line += c;
  return line;
}

}  // namespace orx::testing
