#include "rigctl_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
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

// One command per turn of the event loop: a tuning command costs a word frame, and a client
// that sends a thousand at once must not hold the window for a thousand frames.
void RigctlServer::Serve(QTcpSocket* socket) {
  auto session = std::make_shared<RigctlSession>(target_);
  auto serve_one_line = std::make_shared<std::function<void()>>();
  *serve_one_line = [socket, session, next = std::weak_ptr(serve_one_line)] {
    if (socket->state() != QAbstractSocket::ConnectedState) return;
    if (!socket->canReadLine()) {
      // A line that never ends is no command; a client sending one is dropped.
      if (socket->bytesAvailable() > kLongestLine + kLongestLineEnd) socket->abort();
      return;
    }
    // readLine's limit counts the terminating zero it writes as well.
    QByteArray line = socket->readLine(kLongestLine + kLongestLineEnd + 1);
    if (!line.endsWith('\n')) {
      socket->abort();
      return;
    }
    line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    const RigctlSession::Reply reply = session->Handle(line);
    socket->write(reply.text);
    if (reply.close) {
      socket->disconnectFromHost();
      return;
    }
    // What is still buffered gets no readyRead of its own.
    if (socket->canReadLine()) {
      QTimer::singleShot(0, socket, [next] {
        if (const auto serve = next.lock()) (*serve)();
      });
    }
  };
  connect(socket, &QTcpSocket::readyRead, socket, [serve_one_line] { (*serve_one_line)(); });
}

}  // namespace orx::remote
