// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "app/platform.h"
#include "app/remote_control.h"
#include "app/web_page.h"
#include "receiver/receiver.h"
#include "remote/receiver_tuning.h"
#include "remote/rigctl_server.h"
#include "settings/bas_ini_file.h"
#include "ui/form_texts.h"

namespace orx::app {

namespace {

// A message of the window, as one line of the journal: "Branje datoteke pll.ini ni uspelo:
// /etc/orx-frekvenca/pll.ini: ni dovoljenja".
QString OneLine(QString text) {
  text.replace(QStringLiteral(".\n"), QStringLiteral(": "));
  return text.replace(u'\n', QStringLiteral(": "));
}

QString SettingsFileMissing(const QString& path) {
  return QStringLiteral(
             "Datoteke z nastavitvami %1 ni; sprejemnik začne na privzetih vrednostih (2000 kHz, "
             "pas 0–24000 kHz).")
      .arg(path);
}

}  // namespace

int RunService(const ServiceSetup& setup, link::Module1& link) {
  // From the start, so that no signal is lost; once the receiver runs, a signal ends it before
  // any further word, whoever asked for one.
  receiver::Receiver* running = nullptr;
  TerminationSignals termination([&running] {
    if (running) running->Close();
    QCoreApplication::exit(0);
  });
  const auto one_line = [&setup](const QString& text) { setup.tell(OneLine(text)); };

  // What is wrong with the set-up is found before the synthesizer is touched.
  if (!QFileInfo::exists(setup.settings_file)) one_line(SettingsFileMissing(setup.settings_file));
  const auto file = settings::basIniFile::ReadIniFile(setup.settings_file);
  if (!file.readable) {
    one_line(ui::texts::ReadFailed(setup.settings_file, file.error_number, file.reason));
    return kSetupMistake;
  }
  // Never written: the service keeps no preset, no note and no limit of its own.
  receiver::Receiver receiver(link, {setup.settings_file, QString()});
  receiver.Load(file);

  // The signal's own handler may come after a tuning already due in the same turn of the loop.
  remote::ReceiverTuning tuning(receiver, [&receiver] {
    if (TerminationSignalArrived()) receiver.Close();
  });
  remote::TuningTurns turns;
  std::optional<remote::RigctlServer> server;
  if (setup.rigctld_port) {
    server.emplace(tuning, &turns);
    server->SetDoor(remote::Door(setup.allow, setup.tell));
    if (!server->Listen(setup.address, *setup.rigctld_port)) {
      one_line(ControlPortUnavailable(setup.address, *setup.rigctld_port, *server));
      return kSetupMistake;
    }
    if (!setup.address.isLoopback())
      one_line(ControlPortOpenToTheNetwork(setup.address, server->Port(), setup.allow));
  }
  std::unique_ptr<web::WebServer> web;
  quint16 web_port = 0;
  if (setup.web.port) {
    auto started = StartWebPage(tuning, turns, false, setup.web, setup.tell);
    if (!started.server) {
      one_line(started.error);
      return kSetupMistake;
    }
    web = std::move(started.server);
    web_port = started.port;
  }

  if (!receiver.OpenPort(setup.port_name)) {
    one_line(ui::texts::ComInterfaceError(ui::texts::PortFailure(receiver.LastOpen())));
    return kPortUnavailable;  // a service manager may try again later
  }
  running = &receiver;
  const bool started = receiver.SendStartWords();
  const auto end = [&receiver](int status) {
    receiver.Close();
    return status;
  };
  if (!started) {
    one_line(ui::texts::ComInterfaceError(ui::texts::LineOperationsRefused(receiver.LastOpen())));
    return end(kPortUnavailable);
  }
  if (termination.Received()) return end(0);
  if (server && setup.listening) setup.listening(server->Port());
  if (web && setup.web_listening) setup.web_listening(web_port);
  return end(QCoreApplication::exec());
}

}  // namespace orx::app
