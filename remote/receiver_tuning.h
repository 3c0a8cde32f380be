// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <utility>

#include "receiver/receiver.h"
#include "remote/tuning_target.h"

namespace orx::remote {

// The control port's hold on the receiver, the same with a window or without one.
class ReceiverTuning : public TuningTarget {
 public:
  // `first` runs before each tuning: a face applies there what its user did before the command
  // came (the window's held keys and wheel notches).
  explicit ReceiverTuning(receiver::Receiver& receiver, std::function<void()> first = {})
      : receiver_(receiver), first_(std::move(first)) {}
  int ShownKilohertz() const override { return receiver_.Frequency(); }
  int LowestKilohertz() const override { return receiver_.CurrentBand().lowest; }
  int HighestKilohertz() const override { return receiver_.CurrentBand().highest; }
  bool TuneTo(int kilohertz) override {
    BeforeChange();
    return receiver_.TuneTo(kilohertz);
  }

  // For the faces that do more than tune (a web page recalls and stores presets too).
  receiver::Receiver& Receiver() { return receiver_; }
  void BeforeChange() {
    if (first_) first_();
  }

 private:
  receiver::Receiver& receiver_;
  std::function<void()> first_;
};

}  // namespace orx::remote
