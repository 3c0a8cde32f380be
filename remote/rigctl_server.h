#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include "tuning_target.h"

class QTcpServer;
class QTcpSocket;

namespace orx::remote {

// Hamlib's rigctld protocol on a TCP port, for loggers, schedulers and digital-mode programs.
// Every client is served from the event loop; none can hold the window up or stop it.
class RigctlServer : public QObject {
 public:
  static constexpr int kMaximumClients = 8;
  static constexpr qsizetype kLongestLine = 1024;  // the command, without its line end
  static constexpr qsizetype kLongestLineEnd = 2;  // CR LF

  explicit RigctlServer(TuningTarget& target, QObject* parent = nullptr);

  // False when the address and port cannot be bound; ErrorString() then says why.
  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const;
  quint16 Port() const;
  int ClientCount() const { return clients_; }

 private:
  void Accept();
  void Serve(QTcpSocket* socket);

  TuningTarget& target_;
  QTcpServer* server_;
  int clients_ = 0;
};

}  // namespace orx::remote
