// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include "remote/tuning_target.h"

namespace orx::testing {

// A receiver tuned between 100 and 30000 kHz, as the control port sees it.
struct FakeTuning : remote::TuningTarget {
  int ShownKilohertz() const override { return shown; }
  int LowestKilohertz() const override { return lowest; }
  int HighestKilohertz() const override { return 30000; }
  bool TuneTo(int kilohertz) override {
    shown = kilohertz;
    tuned << kilohertz;
    return reaches_synthesizer;
  }
  bool reaches_synthesizer = true;
  int shown = 7000;
  int lowest = 100;
  QList<int> tuned;
};

}  // namespace orx::testing
