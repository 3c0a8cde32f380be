// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "held_connection.h"

namespace orx::remote {

// Windows has no cheap second handle on a socket within one process; there a client that ends
// its input before the answers come gets none, as before.
HeldConnection::HeldConnection(qintptr) {}

HeldConnection::~HeldConnection() = default;

bool HeldConnection::Write(const QByteArray&) {
  return false;
}

void HeldConnection::Close() {}

}  // namespace orx::remote
