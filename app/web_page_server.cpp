// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page's start where the program is built with it.

#include "app/remote_control.h"
#include "app/web_page.h"
#include "web/access_key.h"

namespace orx::app {

WebPageStart StartWebPage(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
                          const WebOptions& options,
                          const std::function<void(const QString&)>& tell) {
  QByteArray key;
  // On this machine alone every program could reach the receiver anyway, as through the
  // control port; beyond it only a page with the key.
  if (!options.address.isLoopback()) {
    const QString file = options.key_file.isEmpty() ? DefaultKeyFile() : options.key_file;
    auto loaded = web::AccessKey::LoadOrCreate(file, options.new_key);
    if (loaded.key.isEmpty()) return WebPageStart::Refused(loaded.error);
    key = loaded.key;
  }
  auto server = std::make_unique<web::WebServer>(tuning, turns, stores, key);
  server->TellRefusals(tell);
  if (!server->Listen(options.address, *options.port)) {
    return WebPageStart::Refused(QStringLiteral("Spletne strani na %1:%2 ni mogoče odpreti: %3")
                                     .arg(options.address.toString())
                                     .arg(*options.port)
                                     .arg(SocketReason(server->Error(), server->ErrorString())));
  }
  const QStringList links = server->Links();
  for (const QString& link : links) tell(QStringLiteral("spletna stran za telefon: %1").arg(link));
  const quint16 port = server->Port();
  return {std::move(server), QString(), links, port};
}

}  // namespace orx::app
