// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service.h"

#include <QCoreApplication>

#include "app/platform.h"
#include "receiver/receiver.h"
#include "remote/receiver_tuning.h"
#include "remote/rigctl_server.h"
#include "settings/bas_ini_file.h"
#include "ui/form_texts.h"

namespace orx::app {

int RunService(const ServiceSetup& setup, link::Module1& link) {
  TerminationSignals termination([] { QCoreApplication::exit(0); });
  const auto one_line = [&setup](QString text) {
    setup.tell(text.replace(u'\n', QStringLiteral(": ")));
  };
  const auto file = settings::basIniFile::ReadIniFile(setup.settings_file);
  if (!file.readable)
    one_line(ui::texts::ReadFailed(setup.settings_file, file.error_number, file.reason));
  // Never written: the service keeps no preset, no note and no limit of its own.
  receiver::Receiver receiver(link, {setup.settings_file, QString()});
  receiver.Load(file);

  if (!receiver.OpenPort(setup.port_name)) {
    one_line(ui::texts::ComInterfaceError(ui::texts::PortFailure(receiver.LastOpen())));
    return 1;  // a service manager may try again later
  }
  const bool started = receiver.SendStartWords();
  const auto end = [&receiver](int status) {
    receiver.Close();
    return status;
  };
  if (!started) {
    one_line(ui::texts::ComInterfaceError(ui::texts::LineOperationsRefused(link.LastOpen())));
    return end(1);
  }
  if (termination.Received()) return end(0);

  remote::ReceiverTuning tuning(receiver);
  remote::RigctlServer server(tuning);
  if (!server.Listen(setup.address, setup.rigctld_port)) {
    one_line(QStringLiteral("Vrat za ukaze Hamlib %1:%2 ni mogoče odpreti: %3")
                 .arg(setup.address.toString())
                 .arg(setup.rigctld_port)
                 .arg(server.ErrorString()));
    return end(1);
  }
  if (setup.listening) setup.listening(server.Port());
  return end(QCoreApplication::exec());
}

}  // namespace orx::app
