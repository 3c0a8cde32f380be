// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace orx::remote {

// A second handle on a client's connection. Qt closes a socket as soon as the peer ends its
// input, but a client that sends its commands and then ends its input (a pipe into nc, say)
// still waits for the answers; through this handle they are written after Qt let go, and the
// connection closes when this handle does.
class HeldConnection {
 public:
  explicit HeldConnection(qintptr socket_descriptor);
  ~HeldConnection();
  HeldConnection(const HeldConnection&) = delete;
  HeldConnection& operator=(const HeldConnection&) = delete;

  // Writes all of the bytes, waiting a short while for room; false when they did not all go.
  bool Write(const QByteArray& bytes);
  void Close();

 private:
  qintptr handle_ = -1;
};

}  // namespace orx::remote
