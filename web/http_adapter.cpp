// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "http_adapter.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

namespace orx::web {

namespace {

const char kPatienceTimer[] = "orx-request-patience";

}  // namespace

// Qt WebSockets answers an upgrade with headers that allow other origins (Access-Control-Allow-
// Origin and the like) and names the program; this server never sends either.
class GuardedSocket : public QTcpSocket {
 public:
  using QTcpSocket::QTcpSocket;
  void Upgrading() { upgrading_ = true; }

 protected:
  qint64 writeData(const char* data, qint64 size) override {
    if (!upgrading_) return QTcpSocket::writeData(data, size);
    upgrading_ = false;
    QByteArray kept;
    for (const QByteArray& line : QByteArray(data, size).split('\n')) {
      const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
      if (name.startsWith("access-control-") || name == "server") continue;
      kept += line + '\n';
    }
    kept.chop(1);
    return QTcpSocket::writeData(kept.constData(), kept.size()) < 0 ? -1 : size;
  }

 private:
  bool upgrading_ = false;
};

// Takes the connections before Qt HttpServer sees them, to bound their number, their size and
// their time.
class HttpAdapter::Connections : public QTcpServer {
 public:
  using QTcpServer::QTcpServer;

  // The connection is a page's live channel now: bounded there.
  void Upgraded(QTcpSocket* socket) {
    if (auto* guarded = dynamic_cast<GuardedSocket*>(socket)) guarded->Upgrading();
    delete socket->findChild<QTimer*>(QLatin1String(kPatienceTimer));
    requesting_.remove(socket);
  }

 protected:
  void incomingConnection(qintptr handle) override {
    auto* socket = new GuardedSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
      delete socket;
      return;
    }
    if (requesting_.size() >= kMaximumConnections) {
      socket->abort();
      socket->deleteLater();
      return;
    }
    requesting_.insert(socket);
    connect(socket, &QObject::destroyed, this, [this, socket] { requesting_.remove(socket); });
    // Past this Qt reads no more, and a request that has not ended by then never will.
    socket->setReadBufferSize(kLargestRequest);
    auto* patience = new QTimer(socket);
    patience->setObjectName(QLatin1String(kPatienceTimer));
    patience->setSingleShot(true);
    connect(patience, &QTimer::timeout, socket, &QTcpSocket::abort);
    patience->start(kRequestPatienceMs);
    addPendingConnection(socket);
  }

 private:
  QSet<QTcpSocket*> requesting_;  // not yet upgraded
};

class HttpAdapter::Server : public QAbstractHttpServer {
 public:
  Server(Handler handler, Headers headers, Connections& connections)
      : handler_(std::move(handler)), headers_(std::move(headers)), connections_(connections) {}

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
    Request asked;
    switch (request.method()) {
      case QHttpServerRequest::Method::Get:
        asked.method = "GET";
        break;
      case QHttpServerRequest::Method::Head:
        asked.method = "HEAD";
        break;
      default:
        asked.method = "OTHER";
    }
    asked.path = request.url().path();
    asked.query = request.query();
    asked.host = request.value("host");
    for (const auto& [name, value] : request.headers()) {
      if (name.compare("origin", Qt::CaseInsensitive) == 0)
        asked.origin = value.isNull() ? "" : value;
    }
    asked.peer = request.remoteAddress();
    asked.websocket = request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
    const Response response = handler_(asked);
    if (asked.websocket && response.status == 101) {
      connections_.Upgraded(socket);
      return true;
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
    for (const auto& [name, value] : headers_) responder.writeHeader(name, value);
    if (!response.content_type.isEmpty())
      responder.writeHeader("Content-Type", response.content_type);
    responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
    if (asked.websocket) responder.writeHeader("Connection", "close");
    responder.writeBody(asked.method == "HEAD" ? QByteArray() : response.body);
    // A refused upgrade: Qt closes the connection once the answer is written.
    answered_ = true;
    return !asked.websocket;
  }

  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
    if (std::exchange(answered_, false)) return;
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
  }

 private:
  Handler handler_;
  Headers headers_;
  Connections& connections_;
  bool answered_ = false;
};

HttpAdapter::HttpAdapter(Handler handler, Upgraded upgraded, Headers headers, QObject* parent)
    : QObject(parent),
      connections_(new Connections(this)),
      server_(std::make_unique<Server>(std::move(handler), std::move(headers), *connections_)) {
  connect(server_.get(), &QAbstractHttpServer::newWebSocketConnection, this,
          [this, upgraded = std::move(upgraded)] {
            while (server_->hasPendingWebSocketConnections())
              upgraded(server_->nextPendingWebSocketConnection());
          });
}

HttpAdapter::~HttpAdapter() = default;

bool HttpAdapter::Listen(const QHostAddress& address, quint16 port) {
  if (!connections_->listen(address, port)) return false;
  server_->bind(connections_);
  return true;
}

QString HttpAdapter::ErrorString() const {
  return connections_->errorString();
}

QAbstractSocket::SocketError HttpAdapter::Error() const {
  return connections_->serverError();
}

quint16 HttpAdapter::Port() const {
  return connections_->serverPort();
}

}  // namespace orx::web
