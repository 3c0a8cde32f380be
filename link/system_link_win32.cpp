// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <windows.h>

#include <memory>

#include "system_link.h"
#include "win32_calls.h"
#include "win32_serial_device.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace orx::link {

namespace {

class SystemCalls : public Win32Calls {
 public:
  HANDLE CreateFile(const char* name, DWORD access, DWORD share, DWORD creation) override {
    return ::CreateFileA(name, access, share, nullptr, creation, 0, nullptr);
  }
  BOOL EscapeCommFunction(HANDLE handle, DWORD function) override {
    return ::EscapeCommFunction(handle, function);
  }
  BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
  DWORD LastError() override { return ::GetLastError(); }
  std::string ErrorText(DWORD error) override {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message(text ? text : "", length);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
      message.pop_back();
    return message;
  }
  LONGLONG PerformanceCounter() override {
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    return count.QuadPart;
  }
  LONGLONG PerformanceFrequency() override {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
  }
};

// A high-resolution waitable timer (Windows 10 1803 and later), set relative to the clock.
class WaitableTimerSleeper : public Sleeper {
 public:
  static constexpr double kHundredNsPerMs = 10000.0;

  WaitableTimerSleeper(Clock& clock, HANDLE timer) : clock_(clock), timer_(timer) {}
  ~WaitableTimerSleeper() override { ::CloseHandle(timer_); }

  void SleepUntil(double deadline_ms) override {
    const double remaining_ms = deadline_ms - clock_.ReadMilliseconds();
    if (remaining_ms <= 0) return;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(remaining_ms * kHundredNsPerMs);  // negative: relative
    if (::SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      ::WaitForSingleObject(timer_, INFINITE);
    }
  }

 private:
  Clock& clock_;
  HANDLE timer_;
};

}  // namespace

Win32Calls& SystemWin32Calls() {
  static SystemCalls calls;
  return calls;
}

std::unique_ptr<LineDevice> MakeSerialLineDevice() {
  return std::make_unique<Win32SerialDevice>();
}

std::unique_ptr<Clock> MakeHighResolutionClock() {
  return std::make_unique<PerformanceCounterClock>();
}

std::unique_ptr<Sleeper> MakeHighResolutionSleeper(Clock& clock) {
  const HANDLE timer = ::CreateWaitableTimerExW(
      nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer == nullptr) return nullptr;  // older Windows: the waits stay pure spins
  return std::make_unique<WaitableTimerSleeper>(clock, timer);
}

}  // namespace orx::link
