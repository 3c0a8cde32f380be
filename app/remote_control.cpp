// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "remote_control.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/platform.h"

namespace orx::app {

QString SocketReason(QAbstractSocket::SocketError error, const QString& system_words) {
  switch (error) {
    case QAbstractSocket::AddressInUseError:
      return QStringLiteral("ta vrata že uporablja drug program");
    case QAbstractSocket::SocketAccessError:
      return QStringLiteral("ni dovoljenja (vrata pod 1024 sme odpreti le skrbnik)");
    case QAbstractSocket::SocketAddressNotAvailableError:
      return QStringLiteral("ta računalnik nima tega naslova");
    case QAbstractSocket::UnsupportedSocketOperationError:
      return QStringLiteral("ta računalnik te vrste naslovov ne podpira");
    case QAbstractSocket::SocketResourceError:
      return QStringLiteral("sistemu je zmanjkalo virov za nova vrata");
    default:
      return QStringLiteral("sistem vrat ni dal (%1)").arg(system_words);
  }
}

QString ControlPortUnavailable(const QHostAddress& address, quint16 port,
                               const remote::RigctlServer& server) {
  return QStringLiteral("Vrat za ukaze Hamlib %1:%2 ni mogoče odpreti: %3")
      .arg(address.toString())
      .arg(port)
      .arg(SocketReason(server.Error(), server.ErrorString()));
}

QString ControlPortOpenToTheNetwork(const QHostAddress& address, quint16 port,
                                    const std::optional<remote::AllowList>& allow) {
  if (allow) {
    return QStringLiteral("ukaze Hamlib sprejema na %1:%2 le od %3.")
        .arg(address.toString())
        .arg(port)
        .arg(allow->ToString());
  }
  return QStringLiteral(
             "ukaze Hamlib sprejema na %1:%2; sprejemnik lahko uglasi vsak, ki doseže ta naslov "
             "(z --rigctld-allow ga omejite na svoje odjemalce).")
      .arg(address.toString())
      .arg(port);
}

std::unique_ptr<remote::ReceiverTuning> WindowTuning(ui::Form1& form) {
  return std::make_unique<remote::ReceiverTuning>(form.Receiver(), [&form] {
    // The signal's own handler may come after a tuning already due in the same turn of the loop.
    if (TerminationSignalArrived()) return form.Form_Unload();
    form.HScroll1->ApplyHeldInput();
  });
}

namespace {

void OnStandardError(const QString& line) {
  WriteText(stderr, QStringLiteral("%1: %2\n").arg(QLatin1String(kProgramName), line));
}

void HoldTheWindow(RemoteControl& control, ui::Form1& form) {
  if (!control.tuning) control.tuning = WindowTuning(form);
  if (!control.turns) control.turns = std::make_unique<remote::TuningTurns>();
}

}  // namespace

RemoteControl StartRemoteControl(ui::Form1& form, const QHostAddress& address, quint16 port,
                                 const forms::MessageBox& tell_user,
                                 const std::optional<remote::AllowList>& allow) {
  const auto on_standard_error = OnStandardError;
  RemoteControl control;
  HoldTheWindow(control, form);
  control.server = std::make_unique<remote::RigctlServer>(*control.tuning, control.turns.get());
  control.server->SetDoor(remote::Door(allow, on_standard_error));
  if (!control.server->Listen(address, port)) {
    tell_user(ControlPortUnavailable(address, port, *control.server));
    control.server.reset();
    return control;
  }
  if (!address.isLoopback())
    on_standard_error(ControlPortOpenToTheNetwork(address, control.server->Port(), allow));
  return control;
}

}  // namespace orx::app

namespace orx::app {

void StartWebPage(RemoteControl& control, ui::Form1& form, const WebOptions& options,
                  const forms::MessageBox& tell_user) {
  HoldTheWindow(control, form);
  auto started = StartWebPage(*control.tuning, *control.turns, true, options, OnStandardError);
  if (!started.server) return tell_user(started.error);
  control.web = std::move(started.server);
  form.OfferPhoneLinks(started.links);
}

}  // namespace orx::app
