// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <string>

namespace orx::link {

// The few Win32 calls the serial device and the clock make, so that a test can see each one.
class Win32Calls {
 public:
  virtual ~Win32Calls() = default;
  virtual HANDLE CreateFile(const char* name, DWORD access, DWORD share, DWORD creation) = 0;
  virtual BOOL EscapeCommFunction(HANDLE handle, DWORD function) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual DWORD LastError() = 0;
  // The system's own words for an error.
  virtual std::string ErrorText(DWORD error) = 0;
  virtual LONGLONG PerformanceCounter() = 0;
  virtual LONGLONG PerformanceFrequency() = 0;
};

// The real calls.
Win32Calls& SystemWin32Calls();

}  // namespace orx::link
