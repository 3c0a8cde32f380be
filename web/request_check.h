// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

namespace orx::web {

// Whether a request comes from the user's own page. A page of another site, opened in the same
// browser, can reach this port too: with a name of its own that it points at this machine (DNS
// rebinding), its requests carry that name as Host; and its connections carry its own Origin.
// Both are refused, before anything is served or upgraded.
class RequestCheck {
 public:
  // `addresses`: this machine's own, as a page may name it when served on every interface.
  // `names`: the names this machine answers to (its host name, with and without ".local").
  RequestCheck(const QHostAddress& served, quint16 port, QList<QHostAddress> addresses,
               QStringList names);
  // What a browser sends in Host for this server, and the reason a request is refused (empty
  // when it is not). A request without Origin comes from no page (a navigation, a program).
  QString Refusal(const QByteArray& host, const QByteArray& origin) const;

 private:
  bool OwnHost(const QString& name, quint16 port) const;

  QHostAddress served_;
  quint16 port_;
  QList<QHostAddress> addresses_;
  QStringList names_;
};

}  // namespace orx::web
