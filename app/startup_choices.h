// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QString>

#include "app/command_line.h"
#include "ui/forms/message_box.h"

namespace orx::app {

// Names the application the way its settings folder and desktop entry expect.
void SetUpApplication(QApplication& application);

// The settings file and the port for this run, from the options, pll.ini and the defaults.
struct StartupChoices {
  QString settings_file;
  QString settings_folder_to_make;  // made at the first write, never at start-up
  QString port_name;

  // The port: --port; else the key "Port" of "Nastavitve" when it is not empty; else COM2.
  static QString PortName(const QString& given, const QString& settings_file);
  static StartupChoices From(const Options& options);
};

// A message box whose text also goes to standard error, for whoever started the program
// from a terminal or reads the session's log.
forms::MessageBox ReportingMessageBox();

}  // namespace orx::app
