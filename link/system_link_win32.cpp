#include <windows.h>

#include <string>

#include "system_link.h"

namespace orx::link {

namespace {

// A serial port on Windows, driven through EscapeCommFunction. The port is never configured.
class Win32SerialDevice : public LineDevice {
 public:
  ~Win32SerialDevice() override { Close(); }

  bool Open(std::string_view port_name) override {
    Close();
    const std::string name(port_name);
    const HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        /*no sharing*/ 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    handle_ = handle;
    return true;
  }

  void Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  bool SetDtr(bool asserted) override { return Escape(asserted ? SETDTR : CLRDTR); }
  bool SetRts(bool asserted) override { return Escape(asserted ? SETRTS : CLRRTS); }
  bool SetBreak(bool on) override { return Escape(on ? SETBREAK : CLRBREAK); }

 private:
  bool Escape(DWORD function) {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    return ::EscapeCommFunction(handle_, function) != 0;
  }

  HANDLE handle_ = INVALID_HANDLE_VALUE;
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

}  // namespace

std::unique_ptr<LineDevice> MakeSerialLineDevice() {
  return std::make_unique<Win32SerialDevice>();
}

std::unique_ptr<Clock> MakeHighResolutionClock() {
  return std::make_unique<PerformanceCounterClock>();
}

}  // namespace orx::link
