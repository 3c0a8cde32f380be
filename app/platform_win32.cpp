// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace orx::app {

bool DisplayAvailable() {
  return true;  // a Windows session always has its desktop
}

void ArmTerminationSignals() {}

void KeepTheConsole() {
  // Only where both lead nowhere: a pipe or a file given by whoever started the program stays,
  // and a program whose output was sent elsewhere leaves the console to what its starter does
  // next. Attaching gives the missing standard handles the console's.
  if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr || GetStdHandle(STD_ERROR_HANDLE) != nullptr)
    return;
  AttachConsole(ATTACH_PARENT_PROCESS);  // fails where started from no console: nothing to see
}

void WriteText(std::FILE* stream, const QString& text) {
  const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (handle != nullptr && GetConsoleMode(handle, &mode)) {
    // A console shows its own code page, not the ANSI one: č, š and ž go as themselves.
    std::fflush(stream);
    const std::wstring wide = text.toStdWString();
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
    return;
  }
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
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
