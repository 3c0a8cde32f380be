// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_page.h"

#include <QDir>
#include <QStandardPaths>

#include "app/remote_control.h"
#include "web/access_key.h"

namespace orx::app {

namespace {

const QString kKeyFileName = QStringLiteral("web-key");

}  // namespace

QString DefaultKeyFile() {
  // systemd may name several folders, separated by colons; the first is this service's own.
  const QString state = qEnvironmentVariable("STATE_DIRECTORY").section(u':', 0, 0);
  if (!state.isEmpty()) return QDir(state).filePath(kKeyFileName);
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(kKeyFileName);
}

WebPageStart StartWebPage(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
                          const WebOptions& options,
                          const std::function<void(const QString&)>& tell) {
  QByteArray key;
  // On this machine alone every program could reach the receiver anyway, as through the
  // control port; beyond it only a page with the key.
  if (!options.address.isLoopback()) {
    const QString file = options.key_file.isEmpty() ? DefaultKeyFile() : options.key_file;
    auto loaded = web::AccessKey::LoadOrCreate(file, options.new_key);
    if (loaded.key.isEmpty()) return {nullptr, loaded.error};
    key = loaded.key;
  }
  auto server = std::make_unique<web::WebServer>(tuning, turns, stores, key);
  server->TellRefusals(tell);
  if (!server->Listen(options.address, *options.port)) {
    return {nullptr, QStringLiteral("Spletne strani na %1:%2 ni mogoče odpreti: %3")
                         .arg(options.address.toString())
                         .arg(*options.port)
                         .arg(SocketReason(server->Error(), server->ErrorString()))};
  }
  for (const QString& link : server->Links())
    tell(QStringLiteral("spletna stran za telefon: %1").arg(link));
  return {std::move(server), QString()};
}

}  // namespace orx::app
