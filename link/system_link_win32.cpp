#include <windows.h>

#include <string>

#include "system_link.h"

namespace orx::link {

namespace {

// "COMn" opens as \\.\COMn, the only form that reaches COM10 and above; other names are
// passed to the system as given.
std::string Win32DeviceName(std::string_view port_name) {
  const bool com = port_name.size() > 3 && port_name.substr(0, 3) == "COM";
  return (com ? std::string("\\\\.\\") : std::string()) + std::string(port_name);
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message(text ? text : "", length);
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

OpenResult OpenResultFromError(DWORD error, std::string device) {
  OpenResult result{OpenFailure::kOther, std::move(device), SystemMessage(error)};
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      result.failure = OpenFailure::kMissing;
      break;
    // A port held by another program is refused as "access denied".
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      result.failure = OpenFailure::kBusy;
      break;
    default:
      break;
  }
  return result;
}

// A serial port on Windows, driven through EscapeCommFunction. The port is never configured.
class Win32SerialDevice : public LineDevice {
 public:
  ~Win32SerialDevice() override { Close(); }

  bool Open(std::string_view port_name) override {
    Close();
    const std::string name = Win32DeviceName(port_name);
    const HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        /*no sharing*/ 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      last_open_ = OpenResultFromError(::GetLastError(), name);
      return false;
    }
    handle_ = handle;
    last_open_ = OpenResult{OpenFailure::kNone, name, {}};
    return true;
  }

  void Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  const OpenResult& LastOpen() const override { return last_open_; }

  bool SetDtr(bool asserted) override { return Escape(asserted ? SETDTR : CLRDTR); }
  bool SetRts(bool asserted) override { return Escape(asserted ? SETRTS : CLRRTS); }
  bool SetBreak(bool on) override { return Escape(on ? SETBREAK : CLRBREAK); }

 private:
  bool Escape(DWORD function) {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    return ::EscapeCommFunction(handle_, function) != 0;
  }

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  OpenResult last_open_;
};

// Milliseconds from the performance counter at the rate the counter reports for itself.
class PerformanceCounterClock : public Clock {
 public:
  PerformanceCounterClock() {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    counts_per_ms_ = static_cast<double>(frequency.QuadPart) / 1000.0;
  }

  double ReadMilliseconds() override {
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / counts_per_ms_;
  }

 private:
  double counts_per_ms_ = 1.0;
};

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

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

std::unique_ptr<Sleeper> MakeHighResolutionSleeper(Clock& clock) {
  const HANDLE timer = ::CreateWaitableTimerExW(
      nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer == nullptr) return nullptr;  // older Windows: the waits stay pure spins
  return std::make_unique<WaitableTimerSleeper>(clock, timer);
}

std::unique_ptr<LineDevice> MakeSerialLineDevice() {
  return std::make_unique<Win32SerialDevice>();
}

std::unique_ptr<Clock> MakeHighResolutionClock() {
  return std::make_unique<PerformanceCounterClock>();
}

}  // namespace orx::link
