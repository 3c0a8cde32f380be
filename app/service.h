// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <functional>
#include <optional>

#include "app/command_line.h"
#include "link/module1.h"
#include "remote/allow_list.h"

namespace orx::app {

// What a service run needs: the port, pll.ini (read, never written), the control port and the
// web page (either or both), and a way to say things (one line each, on standard error).
struct ServiceSetup {
  QString settings_file;
  QString port_name;
  QHostAddress address;
  std::optional<quint16> rigctld_port = 0;  // none: no control port; 0: any free port
  std::optional<remote::AllowList> allow;   // none: every client that reaches the port
  std::function<void(const QString&)> tell;
  WebOptions web;
  std::function<void(quint16)> listening;      // told the control port once it listens
  std::function<void(quint16)> web_listening;  // and the web page's
};

// How a service run ends: a signal ends it with 0.
// A serial port that is missing, busy or refuses its lines may be there later: a service manager
// tries again. A settings file that cannot be read, or a control port that cannot be had, stays
// so until someone mends the set-up: it is not retried.
inline constexpr int kPortUnavailable = 1;
inline constexpr int kSetupMistake = 78;

// Runs until a termination signal. The settings are read, and the control port and the web page
// bound, before the serial port is opened and the synthesizer programmed.
int RunService(const ServiceSetup& setup, link::Module1& link);

}  // namespace orx::app
