// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "allow_list.h"

#include <QRegularExpression>
#include <QStringList>

namespace orx::remote {

namespace {

constexpr int kIpv4Bits = 32;
constexpr int kIpv6Bits = 128;
constexpr int kMappedPrefixBits = kIpv6Bits - kIpv4Bits;

// Only the full dotted form: Qt would also take "10" or "127.1", which a user hardly means.
bool IsDottedQuad(const QString& text) {
  static const QRegularExpression kDottedQuad(
      QStringLiteral("^[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}$"));
  return kDottedQuad.match(text).hasMatch();
}

std::optional<QHostAddress> Address(const QString& text) {
  QHostAddress address;
  if (text.contains(u':')) {
    if (!address.setAddress(text)) return std::nullopt;  // with a colon, only IPv6
    return address;
  }
  if (!IsDottedQuad(text) || !address.setAddress(text)) return std::nullopt;
  return address;
}

QString Quoted(const QString& item) {
  return QStringLiteral("„%1“").arg(item);
}

}  // namespace

QHostAddress Unmapped(const QHostAddress& address) {
  bool mapped = false;  // an IPv4 address is its own IPv4 form
  const quint32 ipv4 = address.toIPv4Address(&mapped);
  return mapped ? QHostAddress(ipv4) : address;
}

AllowList::Parsed AllowList::Parse(const QString& text) {
  AllowList list;
  for (const QString& raw : text.split(u',')) {
    const QString item = raw.trimmed();
    if (item.isEmpty()) return {std::nullopt, QStringLiteral("prazen element seznama")};
    const qsizetype slash = item.indexOf(u'/');
    const auto address = Address(item.left(slash));  // all of it when there is no slash
    if (!address) {
      return {std::nullopt,
              QStringLiteral("%1 ni naslov IP ali omrežje (npr. 192.168.1.0/24 ali fd00::/8)")
                  .arg(Quoted(item))};
    }
    const bool ipv4 = address->protocol() == QAbstractSocket::IPv4Protocol;
    const int most = ipv4 ? kIpv4Bits : kIpv6Bits;
    int bits = most;
    if (slash != -1) {
      static const QRegularExpression kDigits(QStringLiteral("^[0-9]{1,3}$"));
      const QString bits_text = item.mid(slash + 1);
      bits = kDigits.match(bits_text).hasMatch() ? bits_text.toInt() : -1;
      if (bits < 0 || bits > most) {
        return {std::nullopt, QStringLiteral("%1: dolžina predpone mora biti od 0 do %2")
                                  .arg(Quoted(item))
                                  .arg(most)};
      }
    }
    // ::ffff:10.0.0.0/104 is 10.0.0.0/8: the form in which such clients are compared.
    const QHostAddress unmapped = Unmapped(*address);
    if (unmapped != *address) {  // an IPv4 address is its own unmapped form
      if (bits < kMappedPrefixBits) {
        list.networks_.append({*address, bits});
        continue;
      }
      bits -= kMappedPrefixBits;
    }
    list.networks_.append({unmapped, bits});
  }
  return {list, QString()};
}

bool AllowList::Allows(const QHostAddress& peer) const {
  const QHostAddress client = Unmapped(peer);
  for (const auto& network : networks_) {
    if (client.isInSubnet(network)) return true;
  }
  return false;
}

QString AllowList::ToString() const {
  QStringList items;
  for (const auto& [address, bits] : networks_) {
    const int most = address.protocol() == QAbstractSocket::IPv4Protocol ? kIpv4Bits : kIpv6Bits;
    items << (bits == most ? address.toString()
                           : QStringLiteral("%1/%2").arg(address.toString()).arg(bits));
  }
  return items.join(u',');
}

}  // namespace orx::remote
