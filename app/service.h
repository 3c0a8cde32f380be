// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <functional>

#include "link/module1.h"

namespace orx::app {

// What a service run needs: the port, pll.ini (read, never written), the control port, and a
// way to say things (one line each, on standard error).
struct ServiceSetup {
  QString settings_file;
  QString port_name;
  QHostAddress address;
  quint16 rigctld_port = 0;
  std::function<void(const QString&)> tell;
  std::function<void(quint16)> listening;  // told the port once it listens
};

// Runs until a termination signal: exit status 0, or 1 when the port or the control port
// cannot be used at start.
int RunService(const ServiceSetup& setup, link::Module1& link);

}  // namespace orx::app
