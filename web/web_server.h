// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "remote/quiet_teller.h"
#include "remote/receiver_tuning.h"
#include "remote/tuning_turns.h"
#include "web/http_adapter.h"
#include "web/live_channel.h"
#include "web/request_check.h"

namespace orx::web {

// The receiver's page for a phone or any browser: its files and its live channel on one port.
// Only the user's own pages get either: a request naming another host, or coming from another
// site's page, is refused before anything is served; beyond this machine a page must also
// present the key. No response ever allows another origin to read it, and the page may not be
// framed.
class WebServer : public QObject {
 public:
  using Tell = std::function<void(const QString&)>;

  // `stores`: whether pages may store presets and band limits. `key`: required from every page
  // when not empty. `now`: the time that a page's rate is measured by.
  WebServer(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores, QByteArray key,
            LiveChannel::Now now = &std::chrono::steady_clock::now, QObject* parent = nullptr);
  ~WebServer() override;

  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const;
  QAbstractSocket::SocketError Error() const;
  quint16 Port() const;
  int PageCount() const { return channel_.PageCount(); }
  void SetPingInterval(std::chrono::milliseconds interval) { channel_.SetPingInterval(interval); }

  // Where a refused request is told that a stranger or another site's page may be behind (a
  // forged Host, a foreign Origin, a missing key): quietly, at most once a minute for each
  // address and kind.
  void TellRefusals(Tell tell, remote::QuietTeller::Now now = std::chrono::steady_clock::now);

  // The links a user opens on the phone, key included, one for each address served.
  QStringList Links() const;

  // The page's files as served, by path.
  static QByteArray File(const QString& path, QByteArray* content_type = nullptr);

 private:
  HttpAdapter::Response Respond(const HttpAdapter::Request& request);

  QByteArray key_;
  LiveChannel channel_;
  HttpAdapter http_;
  QHostAddress address_;
  std::optional<RequestCheck> check_;
  remote::QuietTeller refusals_;
};

}  // namespace orx::web
