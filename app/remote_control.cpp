// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "remote_control.h"

#include <cstdio>

#include "app/command_line.h"

namespace orx::app {

std::unique_ptr<remote::ReceiverTuning> WindowTuning(ui::Form1& form) {
  return std::make_unique<remote::ReceiverTuning>(form.Receiver(),
                                                  [&form] { form.HScroll1->ApplyHeldInput(); });
}

RemoteControl StartRemoteControl(ui::Form1& form, const QHostAddress& address, quint16 port,
                                 const forms::MessageBox& tell_user) {
  RemoteControl control;
  control.tuning = WindowTuning(form);
  control.server = std::make_unique<remote::RigctlServer>(*control.tuning);
  if (!control.server->Listen(address, port)) {
    tell_user(QStringLiteral("Vrat za ukaze Hamlib %1:%2 ni mogoče odpreti: %3")
                  .arg(address.toString())
                  .arg(port)
                  .arg(control.server->ErrorString()));
    return {};
  }
  if (!address.isLoopback()) {
    std::fprintf(stderr,
                 "%s: ukaze Hamlib sprejema na %s:%u; sprejemnik lahko uglasi vsak, ki doseže "
                 "ta naslov.\n",
                 kProgramName, address.toString().toLocal8Bit().constData(), port);
  }
  return control;
}

}  // namespace orx::app
