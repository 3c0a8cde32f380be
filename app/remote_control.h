// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <memory>
#include <optional>

#include "app/web_page.h"
#include "remote/receiver_tuning.h"
#include "remote/rigctl_server.h"
#include "remote/tuning_turns.h"
#include "ui/form1.h"
#include "ui/forms/message_box.h"
#include "web/web_server.h"

namespace orx::app {

// Why a listening port could not be had, in the user's words.
QString SocketReason(QAbstractSocket::SocketError error, const QString& system_words);
// Why the control port could not be had, in the user's words.
QString ControlPortUnavailable(const QHostAddress& address, quint16 port,
                               const remote::RigctlServer& server);
// What is said of a control port that listens beyond this machine: a warning without a list of
// the clients allowed, and with one who they are.
QString ControlPortOpenToTheNetwork(const QHostAddress& address, quint16 port,
                                    const std::optional<remote::AllowList>& allow);

// The control port's hold on the receiver behind the window: what the user did with the keys
// and the wheel before a command came is applied before the command, and once a termination
// signal has arrived no command tunes.
std::unique_ptr<remote::ReceiverTuning> WindowTuning(ui::Form1& form);

// The remote faces with the window behind them: the control port of --rigctld and the web page
// of --web. Their tunings take turns. One that cannot listen is left out (the user is told why,
// and the program runs on without it).
struct RemoteControl {
  std::unique_ptr<remote::ReceiverTuning> tuning;
  std::unique_ptr<remote::TuningTurns> turns;
  std::unique_ptr<remote::RigctlServer> server;
  std::unique_ptr<web::WebServer> web;
};
// What the control port says of itself goes to standard error.
RemoteControl StartRemoteControl(ui::Form1& form, const QHostAddress& address, quint16 port,
                                 const forms::MessageBox& tell_user,
                                 const std::optional<remote::AllowList>& allow = {});
// Adds the web page to the remote faces; its links go to standard error.
void StartWebPage(RemoteControl& control, ui::Form1& form, const WebOptions& options,
                  const forms::MessageBox& tell_user);

}  // namespace orx::app
