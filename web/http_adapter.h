// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QUrlQuery>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QWebSocket;

namespace orx::web {

// HTTP and the WebSocket upgrade, on Qt HttpServer. In Qt 6.4 that module is a technology
// preview: its types appear in this adapter's source only, so that a later Qt changes one file.
// The adapter also bounds what a connection may cost before it is a page's live channel: at most
// kMaximumConnections at once, a request of at most kLargestRequest bytes, completed within
// kRequestPatience (past either, the connection is closed).
class HttpAdapter : public QObject {
 public:
  static constexpr int kMaximumConnections = 32;
  static constexpr qint64 kLargestRequest = 16 * 1024;
  static constexpr int kRequestPatienceMs = 10000;

  struct Request {
    QByteArray method;
    QString path;
    QUrlQuery query;
    QByteArray host;
    QByteArray origin;  // null when the request carried none
    QHostAddress peer;
    bool websocket = false;  // asks for the upgrade to a WebSocket
  };
  struct Response {
    int status = 200;  // for an upgrade: 101 lets it happen
    QByteArray content_type;
    QByteArray body;
  };
  using Handler = std::function<Response(const Request&)>;
  using Upgraded = std::function<void(std::unique_ptr<QWebSocket>)>;
  using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

  // `headers` go with every response.
  HttpAdapter(Handler handler, Upgraded upgraded, Headers headers, QObject* parent = nullptr);
  ~HttpAdapter() override;

  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const;
  QAbstractSocket::SocketError Error() const;
  quint16 Port() const;

 private:
  class Server;
  class Connections;
  Connections* connections_;  // owned by the server once bound
  std::unique_ptr<Server> server_;
};

}  // namespace orx::web
