// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHostAddress>
#include <functional>

#include "link/module1.h"
#include "remote/tuning_target.h"
#include "settings/ini_document.h"

namespace orx::app {

// The band and the frequency the window starts on for a pll.ini: F1 within the design range,
// then the band limits (a reversed pair is not applied), F1 again, then the selected presets.
struct ReceiverStart {
  int lowest = 0;
  int highest = 24000;
  int frequency = 2000;
};
ReceiverStart StartFromSettings(const settings::IniDocument& ini);

// The receiver without its window: tuned only through the control port, within the band.
class ServiceTuning : public remote::TuningTarget {
 public:
  ServiceTuning(link::Module1& link, const ReceiverStart& start) : link_(link), start_(start) {
    current_ = start.frequency;
  }
  // The control word and the divider word of the start frequency; false when they did not
  // reach the synthesizer.
  bool Start();
  int ShownKilohertz() const override { return current_; }
  int LowestKilohertz() const override { return start_.lowest; }
  int HighestKilohertz() const override { return start_.highest; }
  bool TuneTo(int kilohertz) override;

 private:
  link::Module1& link_;
  ReceiverStart start_;
  int current_;
};

// What a service run needs: the port, pll.ini (read, never written), the control port, and a
// way to say things (one line each, on standard error).
struct ServiceSetup {
  QString settings_file;
  QString port_name;
  QHostAddress address;
  quint16 rigctld_port = 0;
  std::function<void(const QString&)> tell;
  std::function<void(quint16)> listening;  // told the port once it listens
};

// Runs until a termination signal: exit status 0, or 1 when the port or the control port
// cannot be used at start.
int RunService(const ServiceSetup& setup, link::Module1& link);

}  // namespace orx::app
