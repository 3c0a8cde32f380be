#include "rigctl_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

#include "rigctl_session.h"

namespace orx::remote {

namespace {
const QByteArray kTooManyClients = "RPRT -1\n";
}

RigctlServer::RigctlServer(TuningTarget& target, QObject* parent)
    : QObject(parent), target_(target), server_(new QTcpServer(this)) {
  connect(server_, &QTcpServer::newConnection, this, &RigctlServer::Accept);
}

bool RigctlServer::Listen(const QHostAddress& address, quint16 port) {
  return server_->listen(address, port);
}

QString RigctlServer::ErrorString() const {
  return server_->errorString();
}

quint16 RigctlServer::Port() const {
  return server_->serverPort();
}

void RigctlServer::Accept() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (clients_ >= kMaximumClients) {
      socket->write(kTooManyClients);
      socket->disconnectFromHost();
      continue;
    }
    ++clients_;
    connect(socket, &QObject::destroyed, this, [this] { --clients_; });
    Serve(socket);
  }
}

void RigctlServer::Serve(QTcpSocket* socket) {
  auto session = std::make_shared<RigctlSession>(target_);
  connect(socket, &QTcpSocket::readyRead, socket, [socket, session] {
    while (socket->state() == QAbstractSocket::ConnectedState) {
      if (!socket->canReadLine()) {
        // A line that never ends is no command; a client sending one is dropped.
        if (socket->bytesAvailable() > kLongestLine) socket->abort();
        return;
      }
      QByteArray line = socket->readLine(kLongestLine + 2);
      if (!line.endsWith('\n')) {
        socket->abort();
        return;
      }
      line.chop(1);
      if (line.endsWith('\r')) line.chop(1);
      const RigctlSession::Reply reply = session->Handle(line);
      socket->write(reply.text);
      if (reply.close) socket->disconnectFromHost();
    }
  });
}

}  // namespace orx::remote
