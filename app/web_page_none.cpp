// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A build without Qt HttpServer and Qt WebSockets has no web page; --web says so instead of
// being taken for a page that never answers.

#include "app/web_page.h"

namespace orx::app {

WebPageStart StartWebPage(remote::ReceiverTuning&, remote::TuningTurns&, bool, const WebOptions&,
                          const std::function<void(const QString&)>&) {
  return WebPageStart::Refused(
      QStringLiteral("Spletne strani ta izdaja programa nima: zgrajena je brez "
                     "modulov Qt HttpServer in Qt WebSockets."));
}

}  // namespace orx::app
