// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tuning_turns.h"

#include <QTimer>

namespace orx::remote {

void TuningTurns::Wait(Tuning tuning) {
  waiting_.push_back(std::move(tuning));
  Schedule();
}

void TuningTurns::Schedule() {
  if (scheduled_ || waiting_.empty()) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    RunOne();
    Schedule();
  });
}

void TuningTurns::RunOne() {
  while (!waiting_.empty()) {
    const Tuning tuning = std::move(waiting_.front());
    waiting_.pop_front();
    if (tuning()) return;
  }
}

}  // namespace orx::remote
