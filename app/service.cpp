// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "service.h"

#include <QCoreApplication>

#include "app/platform.h"
#include "link/word_frame.h"
#include "remote/rigctl_server.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "settings/value_conversions.h"
#include "ui/form_texts.h"

namespace orx::app {

namespace {

std::optional<int16_t> Integer(const settings::IniDocument& ini, const QString& section,
                               const QString& key) {
  return settings::ToInteger16(ini.Value(section, key).value_or(QString()));
}

}  // namespace

ReceiverStart StartFromSettings(const settings::IniDocument& ini) {
  using namespace settings;
  ReceiverStart start;
  const auto fits = [&start](int f) { return f >= start.lowest && f <= start.highest; };
  const auto first = Integer(ini, kFreqSection, FreqKey(1));
  if (first && fits(*first)) start.frequency = *first;
  // The limits apply as the scroll bar takes them: the lower one first, each moving the value.
  const auto lowest = Integer(ini, kSettingsSection, kMinKey);
  const auto highest = Integer(ini, kSettingsSection, kMaxKey);
  if (!(lowest && highest && *lowest > *highest)) {
    if (lowest && (highest || *lowest <= start.highest)) {
      start.lowest = *lowest;
      start.highest = std::max(start.highest, start.lowest);
    }
    if (highest && *highest >= start.lowest) start.highest = *highest;
    start.frequency = std::clamp(start.frequency, start.lowest, start.highest);
  }
  if (first && fits(*first)) start.frequency = *first;
  for (int n = 1; n <= kPresetCount; ++n) {
    const auto selected =
        ToBoolean(ini.Value(kSettingsSection, SelectedKey(n)).value_or(QString()));
    const auto preset = Integer(ini, kFreqSection, FreqKey(n));
    if (selected && *selected && preset && fits(*preset)) start.frequency = *preset;
  }
  return start;
}

bool ServiceTuning::Start() {
  const bool control = link::SendWordToSynthesizer(link_, link::kControlWord);
  return link::SendWordToSynthesizer(link_, current_ + link::kDividerOffset) && control;
}

bool ServiceTuning::TuneTo(int kilohertz) {
  if (kilohertz == current_) return true;
  current_ = kilohertz;
  return link::SendWordToSynthesizer(link_, current_ + link::kDividerOffset);
}

int RunService(const ServiceSetup& setup, link::Module1& link) {
  TerminationSignals termination([] { QCoreApplication::exit(0); });
  const auto one_line = [&setup](QString text) {
    setup.tell(text.replace(u'\n', QStringLiteral(": ")));
  };
  const auto file = settings::basIniFile::ReadIniFile(setup.settings_file);
  if (!file.readable)
    one_line(ui::texts::ReadFailed(setup.settings_file, file.error_number, file.reason));
  ServiceTuning tuning(link, StartFromSettings(file.document));

  if (link.OpenPort(setup.port_name.toStdString()) == 0) {
    one_line(ui::texts::ComInterfaceError(ui::texts::PortFailure(link.LastOpen())));
    return 1;  // a service manager may try again later
  }
  const bool started = tuning.Start();
  const auto end = [&link](int status) {
    link.ClosePort();
    return status;
  };
  if (!started) {
    one_line(ui::texts::ComInterfaceError(ui::texts::LineOperationsRefused(link.LastOpen())));
    return end(1);
  }
  if (termination.Received()) return end(0);

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
