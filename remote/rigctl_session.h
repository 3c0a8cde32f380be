// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include "tuning_target.h"

namespace orx::remote {

// One client's conversation in Hamlib's rigctld text protocol: a line in, its reply out.
// The receiver can report and set its frequency; it has one VFO, one mode and no transmitter.
class RigctlSession {
 public:
  struct Reply {
    QByteArray text;
    bool close = false;  // the client said goodbye
  };

  explicit RigctlSession(TuningTarget& target) : target_(target) {}

  // `line` is one command without its line ending.
  Reply Handle(const QByteArray& line);

  // Whether the command sends the synthesizer a word, and so holds the program for a frame.
  static bool SendsAWord(const QByteArray& line);

 private:
  TuningTarget& target_;
};

}  // namespace orx::remote
