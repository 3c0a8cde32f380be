// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "request_check.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace orx::web {

namespace {

struct HostAndPort {
  QString name;  // an IPv6 address without its brackets
  quint16 port = 80;
};

// "name", "name:port", "[v6]" or "[v6]:port"; nothing for anything else.
std::optional<HostAndPort> SplitHost(const QByteArray& host) {
  const QString text = QString::fromLatin1(host).trimmed().toLower();
  if (text.isEmpty()) return std::nullopt;
  HostAndPort split;
  QString port;
  if (text.startsWith(u'[')) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0) return std::nullopt;
    split.name = text.mid(1, close - 1);
    const QString rest = text.mid(close + 1);
    if (!rest.isEmpty()) {
      if (!rest.startsWith(u':')) return std::nullopt;
      port = rest.mid(1);
    }
  } else {
    const qsizetype colon = text.indexOf(u':');
    split.name = colon < 0 ? text : text.left(colon);
    if (colon >= 0) port = text.mid(colon + 1);
  }
  if (split.name.isEmpty()) return std::nullopt;
  if (!port.isNull()) {
    bool ok = false;
    const uint number = port.toUInt(&ok);
    if (!ok || number == 0 || number > 65535) return std::nullopt;
    split.port = static_cast<quint16>(number);
  }
  return split;
}

bool ServedEverywhere(const QHostAddress& served) {
  return served == QHostAddress::Any || served == QHostAddress::AnyIPv4 ||
         served == QHostAddress::AnyIPv6;
}

}  // namespace

RequestCheck::RequestCheck(const QHostAddress& served, quint16 port, QList<QHostAddress> addresses,
                           QStringList names)
    : served_(served), port_(port), addresses_(std::move(addresses)), names_(std::move(names)) {
  for (QString& name : names_) name = name.toLower();
}

bool RequestCheck::OwnHost(const QString& name, quint16 port) const {
  if (port != port_) return false;
  if (name == QLatin1String("localhost")) return true;
  QHostAddress address;
  // Qt would also take "127.1" or a bare number; a browser writes an address in full.
  const bool literal =
      address.setAddress(name) &&
      (address.protocol() == QAbstractSocket::IPv6Protocol || name.count(u'.') == 3);
  if (!literal) return names_.contains(name);
  if (address.isLoopback()) return true;
  if (address.isEqual(served_, QHostAddress::TolerantConversion)) return true;
  return ServedEverywhere(served_) &&
         std::any_of(addresses_.begin(), addresses_.end(), [&address](const QHostAddress& own) {
           return own.isEqual(address, QHostAddress::TolerantConversion);
         });
}

QString RequestCheck::Refusal(const QByteArray& host, const QByteArray& origin) const {
  const auto split = SplitHost(host);
  if (!split || !OwnHost(split->name, split->port)) {
    return QStringLiteral("zahteva za „%1“, ki ni ta strežnik (morda stran drugega spletišča)")
        .arg(QString::fromLatin1(host.left(100)));
  }
  if (origin.isNull()) return QString();
  // The page's own origin is this very host, as the browser wrote it in Host.
  const QByteArray own = "http://" + host.trimmed().toLower();
  if (origin.trimmed().toLower() != own) {
    return QStringLiteral("zahteva s strani „%1“, ki ni stran tega strežnika")
        .arg(QString::fromLatin1(origin.left(100)));
  }
  return QString();
}

}  // namespace orx::web
