// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <list>
#include <memory>

#include "door.h"
#include "held_connection.h"
#include "rigctl_session.h"
#include "tuning_target.h"
#include "tuning_turns.h"

class QTcpServer;
class QTcpSocket;

namespace orx::remote {

// Hamlib's rigctld protocol on a TCP port, for loggers, schedulers and digital-mode programs.
// Every client is served from the event loop; none can hold the window up or stop it. A command
// that tunes costs a word frame, so those wait their turn: one a turn of the event loop, the
// clients in rotation. Everything else is answered as soon as it is a client's next command, a
// bounded number of them a turn, so that a client sending without end shares the loop with the
// others. A client that does not read its replies is not read either until it has caught up:
// what it costs the program stays bounded, and the system's flow control holds it back.
// A connection that turns out to carry an HTTP request (a web page in the user's browser) is
// closed at once, and nothing it sent is carried out; with an allow list, a client from any
// other address is closed before anything it sent is read.
class RigctlServer : public QObject {
 public:
  static constexpr int kMaximumClients = 8;
  static constexpr qsizetype kLongestLine = 1024;  // the command, without its line end
  static constexpr qsizetype kLongestLineEnd = 2;  // CR LF
  // A client's share of one turn of the event loop.
  static constexpr int kCommandsPerTurn = 64;
  static constexpr qint64 kBytesPerRead = 4096;
  // What the program keeps of one client at most: its unread input and its unread replies.
  static constexpr qint64 kInputBuffer = 16 * 1024;
  static constexpr qint64 kUnreadReplies = 16 * 1024;

  // Its tunings wait in `turns`, with those of the other remote faces; without, in its own.
  explicit RigctlServer(TuningTarget& target, TuningTurns* turns = nullptr,
                        QObject* parent = nullptr);
  ~RigctlServer() override;

  // Who is let in, and where the refusals are told.
  void SetDoor(Door door) { door_ = std::move(door); }

  // False when the address and port cannot be bound; ErrorString() then says why.
  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const;
  QAbstractSocket::SocketError Error() const;
  quint16 Port() const;
  int ClientCount() const { return static_cast<int>(clients_.size()); }

 private:
  struct Client {
    QPointer<QTcpSocket> socket;
    RigctlSession session;
    QByteArray partial;                    // what came after the last line end
    std::deque<QByteArray> lines;          // commands of complete lines, not yet answered
    bool waiting_for_turn = false;         // its next command tunes, and waits its turn
    std::unique_ptr<HeldConnection> held;  // answers what came before the end of its input
    bool more_next_turn = false;           // used its share of a turn with commands left
    bool serving = false;                  // a reply's flush must not start another share
  };
  using ClientPtr = std::shared_ptr<Client>;

  void Accept();
  // Answers the client's commands up to its next tuning command, which then waits its turn, or
  // up to its share of the turn, or while its unread replies stay within the bound.
  void Serve(const ClientPtr& client);
  void ServeShare(const ClientPtr& client);
  // Takes what the client sent into its lines; false when nothing more came.
  bool ReadMore(const ClientPtr& client);
  // The client said all it had to say: everything it sent is answered before it is let go.
  void AnswerEverything(const ClientPtr& client);
  // False once the client is gone or said goodbye.
  bool Answer(const ClientPtr& client, const QByteArray& line);
  // False when the client has nothing left to tune.
  bool TuneNext(const ClientPtr& client);
  void ScheduleTurn();
  void ServeAgainNextTurn(const ClientPtr& client);
  void Forget(Client* client);
  // Closes a connection that sent an HTTP request, with everything it sent unanswered.
  void ShutOut(const ClientPtr& client);

  TuningTarget& target_;
  std::unique_ptr<TuningTurns> own_turns_;
  TuningTurns& turns_;
  QTcpServer* server_;
  Door door_;
  std::list<ClientPtr> clients_;
  bool turn_scheduled_ = false;
  std::deque<std::weak_ptr<Client>> served_next_turn_;
};

}  // namespace orx::remote
