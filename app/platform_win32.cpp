// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform.h"

#include <windows.h>

#include <cstdio>

namespace orx::app {

bool DisplayAvailable() {
  return true;  // a Windows session always has its desktop
}

void ArmTerminationSignals() {}

void KeepTheConsole() {
  // Only where both lead nowhere: a pipe or a file given by whoever started the program stays.
  if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr || GetStdHandle(STD_ERROR_HANDLE) != nullptr)
    return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from no console
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

// Windows ends a GUI program with WM_CLOSE or WM_ENDSESSION, which reach the window's own
// close path; there are no signals to catch.
TerminationSignals::TerminationSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), on_signal_(std::move(on_signal)) {}

TerminationSignals::~TerminationSignals() = default;

bool TerminationSignalArrived() {
  return false;
}

bool TerminationSignals::Received() const {
  return false;
}

}  // namespace orx::app
