// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "remote_control.h"

#include <cstdio>

#include "app/command_line.h"

namespace orx::app {

int FormTuning::ShownKilohertz() const {
  return form_.CurrentFrequency();
}

int FormTuning::LowestKilohertz() const {
  return form_.HScroll1->minimum();
}

int FormTuning::HighestKilohertz() const {
  return form_.HScroll1->maximum();
}

bool FormTuning::TuneTo(int kilohertz) {
  form_.HScroll1->ApplyHeldInput();                       // the user's keys and wheel came first
  if (kilohertz == form_.HScroll1->value()) return true;  // nothing to send
  form_.HScroll1->setValue(kilohertz);
  return !form_.LastWordFailed();
}

RemoteControl StartRemoteControl(ui::Form1& form, const QHostAddress& address, quint16 port,
                                 const forms::MessageBox& tell_user) {
  RemoteControl control;
  control.tuning = std::make_unique<FormTuning>(form);
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
