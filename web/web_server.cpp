// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_server.h"

#include <QFile>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QWebSocket>

#include "remote/allow_list.h"
#include "web/access_key.h"

namespace orx::web {

namespace {

// The page's own files and nothing else: no other site's script, style, font, frame or form.
const HttpAdapter::Headers kEveryResponse = {
    {"Content-Security-Policy",
     "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; "
     "connect-src 'self'; manifest-src 'self'; base-uri 'none'; form-action 'none'; "
     "frame-ancestors 'none'"},
    {"X-Frame-Options", "DENY"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"Cross-Origin-Resource-Policy", "same-origin"},
    {"Cross-Origin-Opener-Policy", "same-origin"},
    {"Cache-Control", "no-cache"},
};

struct PageFile {
  const char* path;
  const char* resource;
  const char* type;
};
constexpr PageFile kFiles[] = {
    {"/", ":/orx/web/index.html", "text/html; charset=utf-8"},
    {"/page.css", ":/orx/web/page.css", "text/css; charset=utf-8"},
    {"/page.js", ":/orx/web/page.js", "text/javascript; charset=utf-8"},
    {"/icon.svg", ":/orx/orx-frekvenca.svg", "image/svg+xml"},
};

const QString kLiveChannel = QStringLiteral("/ws");

HttpAdapter::Response Refused(int status, const QString& why) {
  return {status, "text/plain; charset=utf-8", (why + u'\n').toUtf8()};
}

QStringList OwnNames() {
  const QString name = QHostInfo::localHostName().toLower();
  if (name.isEmpty()) return {};
  return {name, name + QStringLiteral(".local")};
}

}  // namespace

WebServer::WebServer(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
                     QByteArray key, LiveChannel::Now now, QObject* parent)
    : QObject(parent),
      key_(std::move(key)),
      channel_(tuning, turns, stores, std::move(now), this),
      http_([this](const HttpAdapter::Request& request) { return Respond(request); },
            [this](std::unique_ptr<QWebSocket> socket) { channel_.Add(std::move(socket)); },
            kEveryResponse) {}

WebServer::~WebServer() = default;

bool WebServer::Listen(const QHostAddress& address, quint16 port) {
  if (!http_.Listen(address, port)) return false;
  address_ = address;
  check_.emplace(address, http_.Port(), QNetworkInterface::allAddresses(), OwnNames());
  return true;
}

QString WebServer::ErrorString() const {
  return http_.ErrorString();
}

QAbstractSocket::SocketError WebServer::Error() const {
  return http_.Error();
}

quint16 WebServer::Port() const {
  return http_.Port();
}

QByteArray WebServer::File(const QString& path, QByteArray* content_type) {
  for (const PageFile& file : kFiles) {
    if (path != QLatin1String(file.path)) continue;
    QFile resource(QLatin1String(file.resource));
    if (!resource.open(QIODevice::ReadOnly)) return {};
    if (content_type) *content_type = file.type;
    return resource.readAll();
  }
  return {};
}

QStringList WebServer::Links() const {
  QList<QHostAddress> addresses{address_};
  if (address_ == QHostAddress::Any || address_ == QHostAddress::AnyIPv4 ||
      address_ == QHostAddress::AnyIPv6) {
    addresses.clear();
    for (const QHostAddress& own : QNetworkInterface::allAddresses()) {
      const bool v4 = own.protocol() == QAbstractSocket::IPv4Protocol;
      if (own.isLoopback() || own.isLinkLocal()) continue;
      if (address_ == QHostAddress::AnyIPv4 && !v4) continue;
      addresses.append(own);
    }
    if (addresses.isEmpty()) addresses.append(QHostAddress(QHostAddress::LocalHost));
  }
  QStringList links;
  for (const QHostAddress& address : addresses) {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    QString link = QStringLiteral("http://%1:%2/").arg(host).arg(Port());
    // In the fragment, which a browser never sends: not to this server, nor to any other.
    if (!key_.isEmpty()) link += QStringLiteral("#key=") + QString::fromLatin1(key_);
    links.append(link);
  }
  return links;
}

void WebServer::TellRefusals(Tell tell, remote::QuietTeller::Now now) {
  refusals_ = remote::QuietTeller(std::move(tell), std::move(now));
}

HttpAdapter::Response WebServer::Respond(const HttpAdapter::Request& request) {
  const QString peer = remote::Unmapped(request.peer).toString();
  const auto tell = [&](const QString& kind, const QString& why) {
    refusals_.Say(
        kind + u' ' + peer,
        QStringLiteral("spletna stran: zahteva z naslova %1 je zavrnjena: %2.").arg(peer, why));
  };
  if (const QString why = check_->Refusal(request.host, request.origin); !why.isEmpty()) {
    tell(QStringLiteral("site"), why);
    return Refused(403, QStringLiteral("Zavrnjeno: %1.").arg(why));
  }
  if (request.method != "GET" && request.method != "HEAD")
    return Refused(405, QStringLiteral("Zavrnjeno: ta strežnik sprejema le zahteve GET."));
  if (request.path == kLiveChannel) {
    if (!request.websocket)
      return Refused(426, QStringLiteral("Zavrnjeno: to je naslov za povezavo WebSocket."));
    if (!key_.isEmpty() &&
        !AccessKey::Matches(request.query.queryItemValue(QStringLiteral("key")).toLatin1(), key_)) {
      tell(QStringLiteral("key"), QStringLiteral("ključ za spletno stran manjka ali ni pravi"));
      return Refused(403, QStringLiteral("Zavrnjeno: ključ manjka ali ni pravi (povezavo "
                                         "odprite s celotno povezavo, ki jo izpiše program)."));
    }
    if (channel_.Full())
      return Refused(
          503,
          QStringLiteral("Zavrnjeno: odprtih je že %1 strani.").arg(LiveChannel::kMaximumPages));
    return {101, {}, {}};
  }
  if (request.websocket)
    return Refused(404,
                   QStringLiteral("Zavrnjeno: povezava WebSocket je le na %1.").arg(kLiveChannel));
  QByteArray type;
  const QByteArray body = File(request.path, &type);
  if (body.isNull() || type.isEmpty()) return Refused(404, QStringLiteral("Te strani ni."));
  return {200, type, body};
}

}  // namespace orx::web
