// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <memory>

#include "remote/rigctl_server.h"
#include "remote/tuning_target.h"
#include "ui/form1.h"
#include "ui/forms/message_box.h"

namespace orx::app {

// The window as the control port sees it: the frequency shown, the band, and the scroll bar.
class FormTuning : public remote::TuningTarget {
 public:
  explicit FormTuning(ui::Form1& form) : form_(form) {}
  int ShownKilohertz() const override;
  int LowestKilohertz() const override;
  int HighestKilohertz() const override;
  bool TuneTo(int kilohertz) override;

 private:
  ui::Form1& form_;
};

// The control port of --rigctld with the window behind it, or nothing when it cannot listen
// (the user is told why, and the program runs on without it).
struct RemoteControl {
  std::unique_ptr<FormTuning> tuning;
  std::unique_ptr<remote::RigctlServer> server;
};
RemoteControl StartRemoteControl(ui::Form1& form, const QHostAddress& address, quint16 port,
                                 const forms::MessageBox& tell_user);

}  // namespace orx::app
