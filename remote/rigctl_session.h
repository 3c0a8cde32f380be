// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

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

  // The commands of one line, as rigctld reads them: each a name (one letter, or a backslash
  // and the long name) with as many arguments as it takes, and optionally the separator of the
  // extended form before it; white space (blanks, TABs) between them. "f v", "fv", "F 7030000 f",
  // "f;v" and "+f v" are two commands each. A line that is no text stays whole, for its error.
  static QList<QByteArray> Commands(const QByteArray& line);

  // `line` is one command without its line ending.
  Reply Handle(const QByteArray& line);

  // Whether the command sends the synthesizer a word, and so holds the program for a frame.
  static bool SendsAWord(const QByteArray& line);

 private:
  TuningTarget& target_;
};

}  // namespace orx::remote
