// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rigctl_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace orx::remote {

namespace {

const QByteArray kTooManyClients = "RPRT -1\n";

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}

// Takes the complete lines off the front of `bytes`: LF, CR LF and a lone CR each end one.
void TakeLines(QByteArray& bytes, std::deque<QByteArray>& lines) {
  qsizetype begin = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!IsLineEnd(bytes[i])) continue;
    lines.push_back(bytes.mid(begin, i - begin));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  bytes.remove(0, begin);
}

}  // namespace

RigctlServer::RigctlServer(TuningTarget& target, QObject* parent)
    : QObject(parent), target_(target), server_(new QTcpServer(this)) {
  connect(server_, &QTcpServer::newConnection, this, &RigctlServer::Accept);
}

RigctlServer::~RigctlServer() {
  for (const ClientPtr& client : clients_) {
    if (client->socket) client->socket->disconnect(this);
  }
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
    if (ClientCount() >= kMaximumClients) {
      socket->write(kTooManyClients);
      socket->disconnectFromHost();
      continue;
    }
    auto client = std::make_shared<Client>(
        Client{socket,
               RigctlSession(target_),
               {},
               {},
               false,
               std::make_unique<HeldConnection>(socket->socketDescriptor())});
    clients_.push_back(client);
    Client* raw = client.get();
    connect(socket, &QObject::destroyed, this, [this, raw] { Forget(raw); });
    connect(socket, &QTcpSocket::readyRead, this, [this, weak = std::weak_ptr(client)] {
      if (const auto c = weak.lock()) Receive(c);
    });
    // Qt closes a socket whose peer has ended its input; what the peer sent before is answered
    // through the held connection.
    connect(socket, &QTcpSocket::readChannelFinished, this, [this, weak = std::weak_ptr(client)] {
      if (const auto c = weak.lock()) AnswerEverything(c);
    });
  }
}

void RigctlServer::Receive(const ClientPtr& client) {
  QTcpSocket* socket = client->socket;
  if (!socket) return;
  client->partial += socket->readAll();
  TakeLines(client->partial, client->lines);
  // A line that never ends is no command; a client sending one is dropped.
  if (client->partial.size() > kLongestLine + kLongestLineEnd) {
    socket->abort();
    return;
  }
  AnswerUpToNextTuning(client);
}

void RigctlServer::AnswerUpToNextTuning(const ClientPtr& client) {
  while (!client->lines.empty() && client->socket &&
         client->socket->state() == QAbstractSocket::ConnectedState) {
    if (RigctlSession::SendsAWord(client->lines.front())) {
      if (!client->waiting_for_turn) {
        client->waiting_for_turn = true;
        rotation_.push_back(client);
        ScheduleTurn();
      }
      return;
    }
    const QByteArray line = client->lines.front();
    client->lines.pop_front();
    Answer(client, line);
  }
}

void RigctlServer::AnswerEverything(const ClientPtr& client) {
  if (!client->socket) return;
  client->partial += client->socket->readAll();
  TakeLines(client->partial, client->lines);
  if (!client->partial.isEmpty()) client->lines.push_back(std::exchange(client->partial, {}));
  while (!client->lines.empty()) {
    const QByteArray line = client->lines.front();
    client->lines.pop_front();
    if (!Answer(client, line)) break;
  }
  client->held->Close();
}

bool RigctlServer::Answer(const ClientPtr& client, const QByteArray& line) {
  const RigctlSession::Reply reply = client->session.Handle(line);
  QTcpSocket* socket = client->socket;
  if (!socket) return false;
  if (!reply.text.isEmpty()) {
    // Straight to the system: Qt drops what it still buffers when the peer's input ends.
    if (socket->state() == QAbstractSocket::ConnectedState) {
      socket->write(reply.text);
      socket->flush();
    } else if (!client->held->Write(reply.text)) {
      // It read nothing for the whole of the held connection's patience: the rest of its
      // answers would each wait as long, and the program with them.
      client->held->Close();
      return false;
    }
  }
  if (reply.close) {
    client->lines.clear();
    client->held->Close();
    socket->disconnectFromHost();
    return false;
  }
  return true;
}

void RigctlServer::ScheduleTurn() {
  if (turn_scheduled_ || rotation_.empty()) return;
  turn_scheduled_ = true;
  // A turn of its own: input and other events that came meanwhile are seen between two frames.
  QTimer::singleShot(0, this, [this] {
    turn_scheduled_ = false;
    TuneNext();
    ScheduleTurn();
  });
}

void RigctlServer::TuneNext() {
  while (!rotation_.empty()) {
    const ClientPtr client = rotation_.front().lock();
    rotation_.pop_front();
    if (!client) continue;
    client->waiting_for_turn = false;
    if (client->lines.empty() || !client->socket) continue;
    const QByteArray line = client->lines.front();
    client->lines.pop_front();
    Answer(client, line);
    AnswerUpToNextTuning(client);  // its reads that follow, and its next turn
    return;
  }
}

void RigctlServer::Forget(Client* client) {
  client->held->Close();
  clients_.remove_if([client](const ClientPtr& c) { return c.get() == client; });
}

}  // namespace orx::remote
