// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <deque>
#include <functional>

namespace orx::remote {

// The queue in which every remote face's tunings wait: a tuning costs a word frame, so one runs
// a turn of the event loop, in the order they asked, and whatever came meanwhile (the window's
// input, other clients, other pages) is seen between two frames. No face can hold the others up.
class TuningTurns : public QObject {
 public:
  // Returns false when there was nothing left to tune (its client went away); the next one
  // waiting then runs in the same turn.
  using Tuning = std::function<bool()>;

  explicit TuningTurns(QObject* parent = nullptr) : QObject(parent) {}

  void Wait(Tuning tuning);
  int Waiting() const { return static_cast<int>(waiting_.size()); }

 private:
  void Schedule();
  void RunOne();

  std::deque<Tuning> waiting_;
  bool scheduled_ = false;
};

}  // namespace orx::remote
