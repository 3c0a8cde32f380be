// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The port layer: names, levels, the wait, and what a closed or failing port does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "link/module1.h"
#include "link/posix_serial_device.h"
#include "link/posix_sleeper.h"
#include "link/precise_wait.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "support/virtual_clock.h"

namespace orx::testing {
namespace {

using link::RecordingLineDevice;
using Operation = RecordingLineDevice::Operation;

struct Port {
  VirtualClock clock;
  RecordingLineDevice device{clock};
  link::Module1 module{device, clock};
};

TEST(OpenPort, DropsOneTrailingColonOnly) {
  for (const auto& [given, opened] : {std::pair{"COM2:", "COM2"},
                                      {"COM12:", "COM12"},
                                      {"COM3", "COM3"},
                                      {"/dev-test/ttyUSB0", "/dev-test/ttyUSB0"}}) {
    Port port;
    EXPECT_EQ(port.module.OpenPort(given), 1);
    EXPECT_EQ(port.device.OpenedName(), opened);
  }
}

TEST(OpenPort, ReportsFailureAsZeroAndKeepsTheFailedHandle) {
  Port port;
  EXPECT_EQ(port.module.PortHandle(), 0);
  port.device.SetOpenSucceeds(false);
  EXPECT_EQ(port.module.OpenPort("COM2:"), 0);
  EXPECT_EQ(port.module.PortHandle(), -1);

  Port good;
  EXPECT_NE(good.module.OpenPort("COM2:"), 0);
  good.module.ClosePort();
  EXPECT_EQ(good.module.PortHandle(), 1);
}

TEST(LineLevels, OneSetsTheLineAndEveryOtherLevelClearsIt) {
  Port port;
  port.module.OpenPort("COM2:");
  port.device.ClearEvents();
  for (int16_t level : {1, 0, 2, -1}) {
    port.module.SetDtr(level);
    port.module.SetRts(level);
    port.module.SetTxd(level);
  }
  const auto& events = port.device.Events();
  const Operation order[] = {Operation::kDtr, Operation::kRts, Operation::kBreak};
  ASSERT_EQ(events.size(), 12u);
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].level, i < 3) << i;
    EXPECT_EQ(events[i].operation, order[i % 3]);
  }
}

TEST(LineLevels, OperationsWithNoOpenDeviceReachNothingAndAreNoFailure) {
  Port port;
  port.device.SetBreakRefused(true);
  port.module.SetTxd(1);  // before the open
  port.device.SetOpenSucceeds(false);
  port.module.OpenPort("COM2:");
  port.module.SetTxd(1);  // after a failed open
  port.device.SetOpenSucceeds(true);
  port.module.OpenPort("COM2:");
  port.module.ClosePort();
  port.module.SetTxd(1);  // after the close
  for (const auto& event : port.device.Events()) {
    if (event.operation == Operation::kBreak) {
      EXPECT_FALSE(event.device_open);
    }
  }
  EXPECT_FALSE(port.module.LineOperationFailed());
}

TEST(LineLevels, ARefusedOperationOnAnOpenDeviceIsRemembered) {
  Port port;
  port.module.OpenPort("COM2:");
  port.device.SetBreakRefused(true);
  port.module.SetDtr(1);
  EXPECT_FALSE(port.module.LineOperationFailed());
  port.module.SetTxd(1);
  EXPECT_TRUE(port.module.LineOperationFailed());
  port.module.SetTxd(0);
  EXPECT_TRUE(port.module.LineOperationFailed());
}

TEST(BusyWait, LastsAtLeastTheDelayAndAZeroOrNegativeDelayOneFurtherRead) {
  VirtualClock clock(0.25);
  RecordingLineDevice device(clock);
  link::Module1 module(device, clock);

  module.BusyWait(1.0);
  EXPECT_EQ(clock.Now(), 1.25);  // start read, then reads at .25 .5 .75 1.0
  module.BusyWait(0.0);
  EXPECT_EQ(clock.Now(), 1.75);
  module.BusyWait(-3.0);
  EXPECT_EQ(clock.Now(), 2.25);
}

TEST(BusyWait, EndsOnTimeAcrossLargeClockValues) {
  // Counter values past 2^31 and 2^32 ticks must not disturb a wait.
  for (double origin : {2147483647.0 / 1000, 4294967296.0 / 1000, 1e12}) {
    VirtualClock clock(1.0 / 1024);
    clock.Advance(origin);
    RecordingLineDevice device(clock);
    link::Module1 module(device, clock);
    const double start = clock.Now();
    module.BusyWait(1.0);
    EXPECT_GE(clock.Now() - start, 1.0);
    EXPECT_LT(clock.Now() - start, 1.01);
  }
}

TEST(SerialDevicePath, MapsComNOntoTtySAndTakesAbsolutePathsAsGiven) {
  // A folder of the test's own: nothing here names a device of this machine.
  EXPECT_EQ(link::SerialDevicePath("COM1", "/orx-test"), "/orx-test/ttyS0");
  EXPECT_EQ(link::SerialDevicePath("COM2", "/orx-test"), "/orx-test/ttyS1");
  EXPECT_EQ(link::SerialDevicePath("COM10", "/orx-test"), "/orx-test/ttyS9");
  EXPECT_EQ(link::SerialDevicePath("COM256", "/orx-test"), "/orx-test/ttyS255");
  EXPECT_EQ(link::SerialDevicePath("/orx-test/serial/by-id/usb-FTDI-if00", "/dev"),
            "/orx-test/serial/by-id/usb-FTDI-if00");
  for (const char* none : {"COM0", "COM", "COM:", "COM02", "COM1x", "COM99999999999", "LPT1",
                           "com2", "", "ttyUSB0", "./ttyUSB0"}) {
    EXPECT_EQ(link::SerialDevicePath(none, "/orx-test"), std::nullopt) << none;
  }
}

// Stands in for the system: keeps every call and can refuse one with an errno.
class RecordedCalls : public link::PosixCalls {
 public:
  struct Call {
    std::string name;
    unsigned long request = 0;
    int argument = 0;
  };
  static constexpr int kFd = 42;

  int Open(const char* path, int flags) override {
    calls.push_back({std::string("open ") + path, static_cast<unsigned long>(flags)});
    return Result("open", kFd);
  }
  int Ioctl(int, unsigned long request, int* argument) override {
    calls.push_back({"ioctl", request, argument ? *argument : 0});
    return Result("ioctl", 0);
  }
  int Flock(int, int operation) override {
    calls.push_back({"flock", static_cast<unsigned long>(operation)});
    return Result("flock", 0);
  }
  int Close(int) override {
    calls.push_back({"close"});
    return 0;
  }
  int Result(const std::string& name, int success) {
    if (name != failing) return success;
    errno = error;
    return -1;
  }

  std::vector<Call> calls;
  std::string failing;
  int error = 0;
};

TEST(PosixSerialDevice, EachLineOperationMakesItsOwnRequestAndNoTermiosCall) {
  RecordedCalls system;
  link::PosixSerialDevice device(system, "/orx-test");
  ASSERT_TRUE(device.Open("COM2"));
  EXPECT_EQ(device.LastOpen().device, "/orx-test/ttyS1");
  system.calls.clear();

  device.SetDtr(true);
  device.SetDtr(false);
  device.SetRts(true);
  device.SetRts(false);
  device.SetBreak(true);
  device.SetBreak(false);
  const std::pair<unsigned long, int> expected[] = {{TIOCMBIS, TIOCM_DTR}, {TIOCMBIC, TIOCM_DTR},
                                                    {TIOCMBIS, TIOCM_RTS}, {TIOCMBIC, TIOCM_RTS},
                                                    {TIOCSBRK, 0},         {TIOCCBRK, 0}};
  ASSERT_EQ(system.calls.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(system.calls[i].name, "ioctl") << i;
    EXPECT_EQ(system.calls[i].request, expected[i].first) << i;
    EXPECT_EQ(system.calls[i].argument, expected[i].second) << i;
  }
}

TEST(PosixSerialDevice, OpensExclusivelyWithoutConfiguringThePort) {
  RecordedCalls system;
  link::PosixSerialDevice device(system, "/orx-test");
  ASSERT_TRUE(device.Open("/orx-test/serial/by-id/usb-FTDI-if00"));
  device.Close();
  ASSERT_EQ(system.calls.size(), 5u);
  EXPECT_EQ(system.calls[0].name, "open /orx-test/serial/by-id/usb-FTDI-if00");
  EXPECT_TRUE(system.calls[0].request & O_NOCTTY);
  EXPECT_EQ(system.calls[1].request, static_cast<unsigned long>(TIOCEXCL));
  EXPECT_EQ(system.calls[2].name, "flock");
  EXPECT_EQ(system.calls[2].request, static_cast<unsigned long>(LOCK_EX | LOCK_NB));
  EXPECT_EQ(system.calls[3].request, static_cast<unsigned long>(TIOCNXCL));  // before the close
  EXPECT_EQ(system.calls[4].name, "close");
}

TEST(PosixSerialDevice, SaysWhyAPortCannotBeUsed) {
  struct Case {
    std::string failing;
    int error;
    link::OpenFailure failure;
  };
  for (const Case& c : {Case{"open", ENOENT, link::OpenFailure::kMissing},
                        Case{"open", EACCES, link::OpenFailure::kPermission},
                        Case{"open", EBUSY, link::OpenFailure::kBusy},
                        Case{"ioctl", EBUSY, link::OpenFailure::kBusy},
                        Case{"flock", EWOULDBLOCK, link::OpenFailure::kBusy},
                        Case{"open", EIO, link::OpenFailure::kOther}}) {
    RecordedCalls system;
    system.failing = c.failing;
    system.error = c.error;
    link::PosixSerialDevice device(system, "/orx-test");
    EXPECT_FALSE(device.Open("COM2"));
    EXPECT_EQ(device.LastOpen().failure, c.failure) << c.failing << " " << c.error;
    EXPECT_EQ(device.LastOpen().device, "/orx-test/ttyS1");
    EXPECT_EQ(device.LastOpen().system_message, std::strerror(c.error));
    // Whatever opened is closed again.
    const bool opened = c.failing != "open";
    EXPECT_EQ(!system.calls.empty() && system.calls.back().name == "close", opened);
  }
  for (const char* refused : {"", "ttyUSB0", "COM0"}) {
    RecordedCalls system;
    link::PosixSerialDevice device(system, "/orx-test");
    EXPECT_FALSE(device.Open(refused));
    EXPECT_EQ(device.LastOpen().failure, link::OpenFailure::kMissing);
    EXPECT_EQ(device.LastOpen().device, refused);
    EXPECT_TRUE(system.calls.empty());
  }
}

// A sleeper on the virtual clock that wakes a set amount early or late.
class OffsetSleeper : public link::Sleeper {
 public:
  OffsetSleeper(VirtualClock& clock, double offset_ms) : clock_(clock), offset_ms_(offset_ms) {}
  void SleepUntil(double deadline_ms) override {
    ++sleeps;
    const double wake = deadline_ms + offset_ms_;
    if (wake > clock_.Now()) clock_.Advance(wake - clock_.Now());
  }
  int sleeps = 0;

 private:
  VirtualClock& clock_;
  double offset_ms_;
};

TEST(PreciseWait, NeverEndsBeforeItsDeadlineHoweverTheSleeperWakes) {
  for (double offset : {-0.9, -0.3, -0.01, 0.0, 0.004, 0.05, 0.4, 2.0}) {
    VirtualClock clock(1.0 / 4096);
    OffsetSleeper sleeper(clock, offset);
    link::PreciseWait wait(clock, &sleeper);
    for (int i = 0; i < 200; ++i) {
      const double start = clock.Now();
      wait.Wait(1.0);
      ASSERT_GE(clock.Now() - start, 1.0) << "offset " << offset << ", wait " << i;
    }
    EXPECT_GT(sleeper.sleeps, 0);
    EXPECT_GE(wait.MarginMs(), link::PreciseWait::kMinimumMarginMs);
    EXPECT_LE(wait.MarginMs(), link::PreciseWait::kMaximumMarginMs);
  }
}

TEST(PreciseWait, TheMarginFollowsHowLateTheSleeperWakes) {
  VirtualClock clock(1.0 / 4096);
  OffsetSleeper punctual(clock, 0.0);
  link::PreciseWait wait(clock, &punctual);
  for (int i = 0; i < 256; ++i) wait.Wait(1.0);
  EXPECT_LT(wait.MarginMs(), 0.1);

  OffsetSleeper late(clock, 0.15);
  link::PreciseWait late_wait(clock, &late);
  for (int i = 0; i < 256; ++i) late_wait.Wait(1.0);
  EXPECT_GT(late_wait.MarginMs(), 0.15);

  OffsetSleeper very_late(clock, 3.0);  // beyond any margin: the ceiling holds
  link::PreciseWait capped_wait(clock, &very_late);
  for (int i = 0; i < 256; ++i) capped_wait.Wait(1.0);
  EXPECT_EQ(capped_wait.MarginMs(), link::PreciseWait::kMaximumMarginMs);
}

// Wakes late by the next amount in turn.
class SequenceSleeper : public link::Sleeper {
 public:
  SequenceSleeper(VirtualClock& clock, std::vector<double> lateness_ms)
      : clock_(clock), lateness_ms_(std::move(lateness_ms)) {}
  void SleepUntil(double deadline_ms) override {
    const double wake = deadline_ms + lateness_ms_[next_++ % lateness_ms_.size()];
    if (wake > clock_.Now()) clock_.Advance(wake - clock_.Now());
  }

 private:
  VirtualClock& clock_;
  std::vector<double> lateness_ms_;
  size_t next_ = 0;
};

TEST(PreciseWait, OneLateWakeUpInAHundredDoesNotSetTheMargin) {
  VirtualClock clock(1.0 / 65536);
  std::vector<double> lateness(63, 0.01);
  lateness.push_back(0.15);
  SequenceSleeper sleeper(clock, lateness);
  link::PreciseWait wait(clock, &sleeper);
  for (int i = 0; i < 64; ++i) wait.Wait(1.0);
  EXPECT_LT(wait.MarginMs(), 0.1);  // the 99th percentile plus its allowance, not the latest
}

TEST(PreciseWait, WithoutASleeperItIsThePureSpin) {
  VirtualClock clock(0.25);
  link::PreciseWait wait(clock, nullptr);
  wait.Wait(1.0);
  EXPECT_EQ(clock.Now(), 1.25);
}

TEST(PreciseWait, OnTheRealTimerNoWaitIsShort) {
  link::SteadyClock clock;
  link::PosixSleeper sleeper;
  link::PreciseWait wait(clock, &sleeper);
  double shortest = 1e9;
  for (int i = 0; i < 300; ++i) {
    const double start = clock.ReadMilliseconds();
    wait.Wait(1.0);
    shortest = std::min(shortest, clock.ReadMilliseconds() - start);
  }
  EXPECT_GE(shortest, 1.0);
}

TEST(SteadyClock, CountsMillisecondsAgainstTheSystemsOwnSleep) {
  link::SteadyClock clock;
  const double before = clock.ReadMilliseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const double elapsed = clock.ReadMilliseconds() - before;
  EXPECT_GE(elapsed, 20.0);
  EXPECT_LT(elapsed, 200.0);
}

class PseudoTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_path_ = ptsname(master_);
  }
  void TearDown() override { close(master_); }

  int master_ = -1;
  std::string slave_path_;
};

TEST_F(PseudoTerminal, AnyDevicePathOpensAsGivenAndABusyOneSaysSo) {
  link::PosixSerialDevice first;
  link::PosixSerialDevice second;
  ASSERT_TRUE(first.Open(slave_path_));
  EXPECT_EQ(first.LastOpen().device, slave_path_);
  EXPECT_FALSE(second.Open(slave_path_));
  EXPECT_EQ(second.LastOpen().failure, link::OpenFailure::kBusy);
}

TEST_F(PseudoTerminal, OpensForExclusiveUseOnly) {
  link::PosixSerialDevice first;
  link::PosixSerialDevice second;
  ASSERT_TRUE(first.OpenPath(slave_path_));
  EXPECT_FALSE(second.OpenPath(slave_path_));
  first.Close();
  // Once closed, the terminal is anyone's again, also for a program that never asks for
  // exclusive use (root may open an exclusive terminal anyway; the requests are checked above).
  const int keeps_it_open = open(slave_path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  EXPECT_GE(keeps_it_open, 0) << std::strerror(errno);
  EXPECT_TRUE(second.OpenPath(slave_path_));
  second.Close();
  const int after = open(slave_path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  EXPECT_GE(after, 0) << std::strerror(errno);
  for (const int fd : {keeps_it_open, after}) {
    if (fd >= 0) close(fd);
  }
}

TEST_F(PseudoTerminal, ModemLinesItCannotDriveAreReportedAsFailures) {
  link::PosixSerialDevice device;
  ASSERT_TRUE(device.OpenPath(slave_path_));
  EXPECT_FALSE(device.SetDtr(true));  // a pseudo-terminal has no modem lines
  EXPECT_FALSE(device.SetRts(false));
  device.Close();
  EXPECT_TRUE(device.SetDtr(true));  // closed: nothing to drive, nothing to report
}

TEST_F(PseudoTerminal, TheSystemCallsHandTheirArgumentToTheKernel) {
  link::PosixCalls& calls = link::SystemPosixCalls();
  const int terminal = calls.Open(slave_path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(write(master_, "frame\n", 6), 6);
  int waiting = -1;
  for (int tries = 0; tries < 100 && waiting != 6; ++tries) {
    ASSERT_EQ(calls.Ioctl(terminal, FIONREAD, &waiting), 0) << std::strerror(errno);
    if (waiting != 6) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(waiting, 6);  // the kernel wrote the count where the argument pointed
  int queued = -1;
  ASSERT_EQ(calls.Ioctl(terminal, TIOCOUTQ, &queued), 0);
  EXPECT_EQ(queued, 0);
  EXPECT_EQ(calls.Ioctl(terminal, TIOCEXCL, nullptr), 0);
  EXPECT_EQ(calls.Ioctl(terminal, TIOCNXCL, nullptr), 0);
  EXPECT_EQ(calls.Close(terminal), 0);
}

TEST(PosixSerialDevice, AMissingDeviceOrANameWithNoDeviceDoesNotOpen) {
  link::PosixSerialDevice device;
  EXPECT_FALSE(device.OpenPath("/nonexistent/orx-test-port"));
  EXPECT_FALSE(device.Open("LPT1"));
  EXPECT_TRUE(device.SetBreak(true));
}

}  // namespace
}  // namespace orx::testing
