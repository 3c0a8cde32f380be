// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/platform.h"
#include "app/port_list.h"
#include "app/program.h"
#include "app/remote_control.h"
#include "app/service.h"
#include "app/startup_choices.h"
#include "link/module1.h"
#include "link/system_link.h"
#include "settings/native_path.h"
#include "ui/form1.h"

namespace {

QStringList Arguments(int argc, char* argv[]) {
  QStringList arguments;
  // File names keep every byte, UTF-8 or not.
  for (int i = 0; i < argc; ++i) arguments << orx::settings::FileNameFromArgument(argv[i]);
  return arguments;
}

// The port and the clock of this platform, with the waits the options ask for.
struct SystemLink {
  explicit SystemLink(const orx::app::Options& options)
      : device(orx::link::MakeSerialLineDevice()),
        clock(orx::link::MakeHighResolutionClock()),
        // The one switch between sleeping most of each 1 ms wait and spinning through all of it.
        sleeper(options.busy_wait ? nullptr : orx::link::MakeHighResolutionSleeper(*clock)),
        link(*device, *clock, sleeper.get()) {}
  std::unique_ptr<orx::link::LineDevice> device;
  std::unique_ptr<orx::link::Clock> clock;
  std::unique_ptr<orx::link::Sleeper> sleeper;
  orx::link::Module1 link;
};

// The receiver as a service: no display, no window, no widgets; messages on standard error.
int RunService(int argc, char* argv[], const orx::app::Options& options) {
  QCoreApplication core(argc, argv);
  core.setApplicationName(orx::app::kProgramName);
  const auto choices = orx::app::StartupChoices::From(options);
  SystemLink system(options);
  orx::app::ServiceSetup setup;
  setup.settings_file = choices.settings_file;
  setup.port_name = choices.port_name;
  setup.address = options.rigctld_address;
  setup.rigctld_port = options.rigctld_port;
  setup.web = options.web;
  setup.allow = options.rigctld_allow;
  setup.tell = [](const QString& line) {
    orx::app::WriteText(stderr, QStringLiteral("%1: %2\n").arg(orx::app::kProgramName, line));
  };
  return orx::app::RunService(setup, system.link);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Before anything else: from here on no signal can cut a word or leave the port half set.
  orx::app::ArmTerminationSignals();
  orx::app::KeepTheConsole();
  using orx::app::Options;
  const Options options = orx::app::ParseCommandLine(Arguments(argc, argv));
  switch (options.action) {
    case Options::Action::kError:
      orx::app::WriteText(stderr, options.error + u'\n');
      return 2;
    case Options::Action::kHelp:
      orx::app::WriteText(stdout, orx::app::HelpText());
      return 0;
    case Options::Action::kVersion:
      orx::app::WriteText(stdout, orx::app::VersionText());
      return 0;
    case Options::Action::kListPorts: {
      QCoreApplication core(argc, argv);
      orx::app::WriteText(stdout, orx::app::PortListText(orx::app::PresentPorts()));
      return 0;
    }
    case Options::Action::kRun:
      break;
  }
  if (options.no_window) return RunService(argc, argv, options);
  if (!orx::app::DisplayAvailable()) {
    orx::app::WriteText(stderr,
                        QStringLiteral("%1: ni zaslona za okno (DISPLAY in WAYLAND_DISPLAY nista "
                                       "nastavljena).\n")
                            .arg(orx::app::kProgramName));
    return 1;
  }

  QApplication application(argc, argv);
  orx::app::SetUpApplication(application);
  const auto choices = orx::app::StartupChoices::From(options);
  SystemLink system(options);
  orx::link::Module1& link = system.link;
  const auto tell_user = orx::app::ReportingMessageBox();
  orx::ui::Form1 form(
      {link, choices.settings_file, tell_user, choices.port_name, choices.settings_folder_to_make});
  orx::app::RemoteControl remote;
  return orx::app::RunWindow(form, [&] {
    if (options.rigctld_port) {
      remote = orx::app::StartRemoteControl(form, options.rigctld_address, *options.rigctld_port,
                                            tell_user, options.rigctld_allow);
    }
    if (options.web.port) orx::app::StartWebPage(remote, form, options.web, tell_user);
  });
}
