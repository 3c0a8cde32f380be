// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <arpa/inet.h>
#include <errno.h>
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
  int receive_buffer = 0;      // bytes; a small one makes the window it offers small
  int patience_seconds = 0;    // how long a blocking read waits; 0 for ever
  const char* from = nullptr;  // the client's own IPv4 address (any of 127.0.0.0/8); 0: any
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
  if (options.from) {
    sockaddr_in own{};
    own.sin_family = AF_INET;
    inet_pton(AF_INET, options.from, &own.sin_addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&own), sizeof own) != 0) {
      close(fd);
      return -1;
    }
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
  close(fd);
  return -1;
}

// Everything the peer sent before it closed the connection (ended or reset it); `closed` stays
// false when the connection's patience ran out first.
struct TheEnd {
  QByteArray bytes;
  bool closed = false;
};
inline TheEnd ReadToTheEnd(int fd) {
  TheEnd end;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) end.bytes.append(buffer, got);
  end.closed = got == 0 || errno == ECONNRESET;
  return end;
}

// One line of an answer, without its LF; blocks for the connection's patience at most.
inline QByteArray ReadLine(int fd) {
  QByteArray line;
  char c = 0;
  while (recv(fd, &c, 1, 0) == 1 && c != '\n') line += c;
  return line;
}

}  // namespace orx::testing
