// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/command_line.h"
#include "remote/receiver_tuning.h"
#include "remote/tuning_turns.h"
#include "web/web_server.h"

namespace orx::app {

// Where the key lives unless --web-key-file says: the service's state folder (systemd's
// STATE_DIRECTORY), else the user's own data folder.
QString DefaultKeyFile();

struct WebPageStart {
  std::unique_ptr<web::WebServer> server;
  QString error;      // for no server: why, in the user's words
  QStringList links;  // what the user opens on the phone, key included
  quint16 port = 0;   // where it listens

  // No server, and why.
  static WebPageStart Refused(QString why) {
    WebPageStart start;
    start.error = std::move(why);
    return start;
  }
};
// The page's server for a face, listening; beyond this machine with its key. Each link it
// serves goes to `tell`, one line each, and so does, quietly, a request it refuses that a
// stranger or another site's page may be behind.
WebPageStart StartWebPage(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
                          const WebOptions& options,
                          const std::function<void(const QString&)>& tell);

}  // namespace orx::app
