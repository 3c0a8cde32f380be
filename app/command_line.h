// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <optional>

#include "remote/allow_list.h"

namespace orx::app {

inline const char kProgramName[] = "orx-frekvenca";

// What the command line says of the web page.
struct WebOptions {
  std::optional<quint16> port;  // none: no page
  QHostAddress address = QHostAddress(QHostAddress::LocalHost);
  QString key_file;  // empty: the default place
  bool new_key = false;
};

// What the command line asks for. Nothing here touches a display, a port or a file.
struct Options {
  enum class Action { kRun, kHelp, kVersion, kListPorts, kError };
  Action action = Action::kRun;
  QString port;           // empty when not given
  QString settings_file;  // empty when not given
  std::optional<quint16> rigctld_port;
  QHostAddress rigctld_address = QHostAddress(QHostAddress::LocalHost);
  std::optional<remote::AllowList> rigctld_allow;  // none: every client that reaches the port
  bool busy_wait = false;  // spin through every 1 ms wait instead of sleeping most of it
  WebOptions web;
  bool no_window = false;  // the receiver as a service, tuned through its remote faces only
  QString error;           // for kError: one line naming what was wrong
};

Options ParseCommandLine(const QStringList& arguments);

// The usage, with where pll.ini is looked for.
QString HelpText();
QString VersionText();

}  // namespace orx::app
