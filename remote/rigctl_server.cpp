// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rigctl_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#include "http_line.h"

namespace orx::remote {

namespace {

const QByteArray kTooManyClients = "RPRT -1\n";

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}

void TakeCommands(const QByteArray& line, std::deque<QByteArray>& commands) {
  for (const QByteArray& command : RigctlSession::Commands(line)) commands.push_back(command);
}

// Takes the commands of the complete lines off the front of `bytes`: LF, CR LF and a lone CR
// each end one. False, with nothing more taken, at a line of an HTTP request.
[[nodiscard]] bool TakeLines(QByteArray& bytes, std::deque<QByteArray>& lines) {
  qsizetype begin = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!IsLineEnd(bytes[i])) continue;
    const QByteArray line = bytes.mid(begin, i - begin);
    if (IsHttpLine(line)) return false;
    TakeCommands(line, lines);
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  bytes.remove(0, begin);
  return true;
}

}  // namespace

RigctlServer::RigctlServer(TuningTarget& target, TuningTurns* turns, QObject* parent)
    : QObject(parent),
      target_(target),
      own_turns_(turns ? nullptr : std::make_unique<TuningTurns>()),
      turns_(turns ? *turns : *own_turns_),
      server_(new QTcpServer(this)) {
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

QAbstractSocket::SocketError RigctlServer::Error() const {
  return server_->serverError();
}

quint16 RigctlServer::Port() const {
  return server_->serverPort();
}

void RigctlServer::Accept() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (!door_.Admits(socket->peerAddress())) {
      socket->abort();  // disconnected, and so deleted
      continue;
    }
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
    // Past this Qt stops reading, and the system holds the client back.
    socket->setReadBufferSize(kInputBuffer);
    Client* raw = client.get();
    connect(socket, &QObject::destroyed, this, [this, raw] { Forget(raw); });
    const auto serve = [this, weak = std::weak_ptr(client)] {
      if (const auto c = weak.lock()) Serve(c);
    };
    connect(socket, &QTcpSocket::readyRead, this, serve);
    connect(socket, &QTcpSocket::bytesWritten, this, serve);
    // Qt closes a socket whose peer has ended its input; what the peer sent before is answered
    // through the held connection.
    connect(socket, &QTcpSocket::readChannelFinished, this, [this, weak = std::weak_ptr(client)] {
      if (const auto c = weak.lock()) AnswerEverything(c);
    });
  }
}

bool RigctlServer::ReadMore(const ClientPtr& client) {
  QTcpSocket* socket = client->socket;
  if (!socket->isReadable()) return false;
  const QByteArray bytes = socket->read(kBytesPerRead);
  if (bytes.isEmpty()) return false;
  client->partial += bytes;
  if (!TakeLines(client->partial, client->lines)) {
    ShutOut(client);
  } else if (client->partial.size() > kLongestLine + kLongestLineEnd) {
    socket->abort();  // a line that never ends is no command; a client sending one is dropped
  }
  // Closed above, it is served no further, whatever was taken from it.
  return socket->state() == QAbstractSocket::ConnectedState;
}

void RigctlServer::Serve(const ClientPtr& client) {
  if (client->serving) return;
  client->serving = true;
  ServeShare(client);
  client->serving = false;
}

void RigctlServer::ServeShare(const ClientPtr& client) {
  int answered = 0;
  while (client->socket && client->socket->state() == QAbstractSocket::ConnectedState &&
         !client->waiting_for_turn && !client->more_next_turn) {
    // Served again once the client has read its replies (bytesWritten).
    if (client->socket->bytesToWrite() > kUnreadReplies) return;
    if (client->lines.empty() && !ReadMore(client)) return;
    if (client->lines.empty()) continue;
    if (RigctlSession::SendsAWord(client->lines.front())) {
      client->waiting_for_turn = true;
      turns_.Wait([self = QPointer(this), weak = std::weak_ptr(client)] {
        const ClientPtr waiting = weak.lock();
        return self && waiting && self->TuneNext(waiting);
      });
      return;
    }
    if (answered == kCommandsPerTurn) return ServeAgainNextTurn(client);
    const QByteArray line = client->lines.front();
    client->lines.pop_front();
    Answer(client, line);
    ++answered;
  }
}

void RigctlServer::ServeAgainNextTurn(const ClientPtr& client) {
  client->more_next_turn = true;
  served_next_turn_.push_back(client);
  ScheduleTurn();
}

void RigctlServer::AnswerEverything(const ClientPtr& client) {
  if (!client->socket) return;
  if (client->socket->isReadable()) client->partial += client->socket->readAll();
  // The last line may lack its line end; one more after it is a blank line, which needs no answer.
  client->partial += '\n';
  if (!TakeLines(client->partial, client->lines)) return ShutOut(client);
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
  if (turn_scheduled_ || served_next_turn_.empty()) return;
  turn_scheduled_ = true;
  // A turn of its own: input and other events that came meanwhile are seen between two frames.
  QTimer::singleShot(0, this, [this] {
    turn_scheduled_ = false;
    // Each client that had more to say gets its next share, in the order they ran out.
    for (auto waiting = std::exchange(served_next_turn_, {}); !waiting.empty();
         waiting.pop_front()) {
      if (const ClientPtr client = waiting.front().lock()) {
        client->more_next_turn = false;
        Serve(client);
      }
    }
    ScheduleTurn();
  });
}

bool RigctlServer::TuneNext(const ClientPtr& client) {
  client->waiting_for_turn = false;
  if (client->lines.empty() || !client->socket) return false;
  const QByteArray line = client->lines.front();
  client->lines.pop_front();
  Answer(client, line);
  Serve(client);  // its reads that follow, and its next turn
  return true;
}

void RigctlServer::ShutOut(const ClientPtr& client) {
  client->held->Close();
  door_.ShutOutWebPage(client->socket->peerAddress());
  client->socket->abort();
}

void RigctlServer::Forget(Client* client) {
  client->held->Close();
  clients_.remove_if([client](const ClientPtr& c) { return c.get() == client; });
}

}  // namespace orx::remote
