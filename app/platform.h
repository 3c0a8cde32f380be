// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <cstdio>
#include <functional>

namespace orx::app {

// Whether a graphical session can be reached: a display, a Wayland socket, or a Qt platform
// chosen by hand (offscreen, for instance).
bool DisplayAvailable();

// Catches, from here to the end of the process, every signal whose default would end it in the
// middle of a word (SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM and the like),
// and ignores SIGPIPE, so that writing to a closed standard error never ends the program. The
// first thing main does; a signal that comes before the event loop is kept for it.
void ArmTerminationSignals();

// Where standard output and error lead nowhere, as for a windowed program started from a
// console on Windows, they are given that console, so that --help and --list-ports are seen.
void KeepTheConsole();

// Writes text to standard output or error (`stream`) as whoever reads it there can read it: a
// console of Windows gets the letters themselves, a pipe or a file the locale's encoding.
void WriteText(std::FILE* stream, const QString& text);

// Whether one of the signals armed above has arrived, even before the event loop saw it.
bool TerminationSignalArrived();

// Turns the signals armed above into a call of `on_signal` from the event loop, so that a word
// frame in progress always finishes before the program closes. A signal that came before it
// was made is delivered at the first turn of the loop.
class TerminationSignals : public QObject {
 public:
  explicit TerminationSignals(std::function<void()> on_signal, QObject* parent = nullptr);
  ~TerminationSignals() override;

  // True once one of the signals has arrived, even before the event loop saw it.
  bool Received() const;

 private:
  std::function<void()> on_signal_;
};

}  // namespace orx::app
