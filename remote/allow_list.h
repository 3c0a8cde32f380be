// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace orx::remote {

// The addresses and networks whose clients the control port serves: "127.0.0.1",
// "192.168.1.0/24", "fd00::/8", comma-separated. An IPv4 client reaching an IPv6 socket
// (::ffff:192.168.1.7) is the IPv4 address it is.
class AllowList {
 public:
  struct Parsed;
  // The list, or the item that is wrong and why, in the user's words.
  static Parsed Parse(const QString& text);

  bool Allows(const QHostAddress& peer) const;
  QString ToString() const;

 private:
  QList<QPair<QHostAddress, int>> networks_;
};

struct AllowList::Parsed {
  std::optional<AllowList> list;
  QString error;  // for no list: "„10.0.0.0/33“: ..."
};

// The IPv4 address behind an IPv4-mapped IPv6 one; any other as it is.
QHostAddress Unmapped(const QHostAddress& address);

}  // namespace orx::remote
