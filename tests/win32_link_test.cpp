// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows half of the link, built with MinGW and run under Wine: which call each line
// operation makes, the exclusive open, a frame timed on the performance counter, and a real
// port that Wine maps to a pseudo-terminal of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "link/module1.h"
#include "link/system_link.h"
#include "link/win32_serial_device.h"
#include "link/word_frame.h"
#include "support/synthesizer.h"

namespace orx::testing {
namespace {

using Operation = link::RecordingLineDevice::Operation;

// Stands in for Windows: keeps every call, and a performance counter of 10 MHz that moves on
// by a fixed step at every read.
class RecordedWin32 : public link::Win32Calls {
 public:
  static constexpr LONGLONG kFrequency = 10'000'000;
  static constexpr LONGLONG kStep = 10;  // 1 us

  struct Call {
    std::string what;
    DWORD value = 0;
    LONGLONG counter = 0;
  };

  HANDLE CreateFile(const char* name, DWORD access, DWORD share, DWORD creation) override {
    calls.push_back({std::string("open ") + name, access});
    open_share = share;
    open_creation = creation;
    return refuse_open ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(42);
  }
  BOOL EscapeCommFunction(HANDLE, DWORD function) override {
    calls.push_back({"escape", function, counter});
    return function == SETDTR && refuse_dtr ? FALSE : TRUE;
  }
  BOOL CloseHandle(HANDLE) override {
    calls.push_back({"close"});
    return TRUE;
  }
  DWORD LastError() override { return error; }
  std::string ErrorText(DWORD code) override { return "error " + std::to_string(code); }
  LONGLONG PerformanceCounter() override { return counter += kStep; }
  LONGLONG PerformanceFrequency() override { return kFrequency; }

  std::vector<Call> calls;
  DWORD open_share = 99;
  DWORD open_creation = 0;
  bool refuse_open = false;
  bool refuse_dtr = false;
  DWORD error = 0;
  LONGLONG counter = 0;
};

TEST(Win32SerialDevice, EachLineOperationMakesItsOwnEscapeAndTheOpenIsExclusive) {
  RecordedWin32 windows;
  link::Win32SerialDevice device(windows);
  ASSERT_TRUE(device.Open("COM12"));
  EXPECT_EQ(windows.calls[0].what, "open \\\\.\\COM12");
  EXPECT_EQ(windows.calls[0].value, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
  EXPECT_EQ(windows.open_share, 0u);
  EXPECT_EQ(windows.open_creation, static_cast<DWORD>(OPEN_EXISTING));
  windows.calls.clear();
  device.SetDtr(true);
  device.SetDtr(false);
  device.SetRts(true);
  device.SetRts(false);
  device.SetBreak(true);
  device.SetBreak(false);
  device.Close();
  const DWORD expected[] = {SETDTR, CLRDTR, SETRTS, CLRRTS, SETBREAK, CLRBREAK};
  ASSERT_EQ(windows.calls.size(), std::size(expected) + 1);
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(windows.calls[i].what, "escape") << i;
    EXPECT_EQ(windows.calls[i].value, expected[i]) << i;
  }
  EXPECT_EQ(windows.calls.back().what, "close");
}

TEST(Win32SerialDevice, SaysWhyAPortCannotBeUsed) {
  for (const auto& [error, failure] :
       {std::pair{DWORD{ERROR_FILE_NOT_FOUND}, link::OpenFailure::kMissing},
        {DWORD{ERROR_ACCESS_DENIED}, link::OpenFailure::kBusy},
        {DWORD{ERROR_GEN_FAILURE}, link::OpenFailure::kOther}}) {
    RecordedWin32 windows;
    windows.refuse_open = true;
    windows.error = error;
    link::Win32SerialDevice device(windows);
    EXPECT_FALSE(device.Open("COM3"));
    EXPECT_EQ(device.LastOpen().failure, failure) << error;
    EXPECT_EQ(device.LastOpen().device, "\\\\.\\COM3");
    EXPECT_TRUE(device.SetDtr(true));  // nothing open: nothing to drive, nothing to report
  }
}

TEST(Win32SerialDevice, AFrameOnThePerformanceCounterIsWhatTheSynthesizerNeeds) {
  RecordedWin32 windows;
  link::Win32SerialDevice device(windows);
  link::PerformanceCounterClock clock(windows);
  link::Module1 port(device, clock);
  ASSERT_EQ(port.OpenPort("COM2:"), 1);
  windows.calls.clear();
  link::SendWord(port, link::kControlWord);

  // The escapes, replayed as the synthesizer sees the lines.
  std::vector<Event> events;
  for (const auto& call : windows.calls) {
    const double ms = static_cast<double>(call.counter) * 1000.0 / RecordedWin32::kFrequency;
    switch (call.value) {
      case SETDTR:
        events.push_back({ms, Operation::kDtr, true, true});
        break;
      case CLRDTR:
        events.push_back({ms, Operation::kDtr, false, true});
        break;
      case SETRTS:
        events.push_back({ms, Operation::kRts, true, true});
        break;
      case CLRRTS:
        events.push_back({ms, Operation::kRts, false, true});
        break;
      case SETBREAK:
        events.push_back({ms, Operation::kBreak, true, true});
        break;
      case CLRBREAK:
        events.push_back({ms, Operation::kBreak, false, true});
        break;
    }
  }
  ASSERT_EQ(events.size(), static_cast<size_t>(link::kFrameLineOperations));
  const auto words = ReceiveWords(events);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].word, 0x8505);
  EXPECT_TRUE(FrameProblems(words[0]).empty()) << ::testing::PrintToString(FrameProblems(words[0]));
  EXPECT_GE(words[0].end_ms - words[0].start_ms, 69.0);
}

TEST(Win32Sleeper, SleepsOnTheTimerUntilTheDeadlineWithoutSpinning) {
  const auto clock = link::MakeHighResolutionClock();
  const auto sleeper = link::MakeHighResolutionSleeper(*clock);
  ASSERT_NE(sleeper, nullptr) << "no high-resolution waitable timer";
  FILETIME created, exited, kernel_before, user_before, kernel_after, user_after;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel_before, &user_before);
  const double start = clock->ReadMilliseconds();
  sleeper->SleepUntil(start + 20.0);
  const double slept = clock->ReadMilliseconds() - start;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel_after, &user_after);
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart) /
           10000.0;
  };
  const double processor = ms(kernel_after) - ms(kernel_before) + ms(user_after) - ms(user_before);
  EXPECT_GE(slept, 19.0);
  EXPECT_LT(slept, 500.0);
  // Asleep, not spinning. The system counts thread time in ticks of 10 ms or more, so one tick
  // may show even for a sleeper; a spinner shows two.
  EXPECT_LE(processor, 10.0);
}

// A COM port that the test script mapped to a pseudo-terminal in Wine's dosdevices. A
// pseudo-terminal takes break but has no modem lines.
TEST(Win32SerialDevice, ARealPortUnderWineTakesBreakAndAFrame) {
  const char* port_name = std::getenv("ORX_WINE_COM_PORT");
  if (port_name == nullptr) GTEST_SKIP() << "no port mapped for this run";
  const auto device = link::MakeSerialLineDevice();
  const auto clock = link::MakeHighResolutionClock();
  const auto sleeper = link::MakeHighResolutionSleeper(*clock);
  link::Module1 port(*device, *clock, sleeper.get());
  // (Wine does not enforce the share mode on a device; the exclusive open is checked above.)
  ASSERT_EQ(port.OpenPort(port_name), 1) << port.LastOpen().system_message;

  EXPECT_TRUE(device->SetBreak(true));
  EXPECT_TRUE(device->SetBreak(false));
  const double start = clock->ReadMilliseconds();
  link::SendWord(port, link::kControlWord);
  const double elapsed = clock->ReadMilliseconds() - start;
  EXPECT_GE(elapsed, 70.0);
  EXPECT_LT(elapsed, 500.0);
  EXPECT_TRUE(port.LineOperationFailed());  // DTR and RTS: not on a pseudo-terminal
  port.ClosePort();
}

}  // namespace
}  // namespace orx::testing
