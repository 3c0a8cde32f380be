// The port layer: names, levels, the wait, and what a closed or failing port does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "link/module1.h"
#include "link/posix_serial_device.h"
#include "link/recording_line_device.h"
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

TEST_F(PseudoTerminal, OpensForExclusiveUseOnly) {
  link::PosixSerialDevice first;
  link::PosixSerialDevice second;
  ASSERT_TRUE(first.OpenPath(slave_path_));
  EXPECT_FALSE(second.OpenPath(slave_path_));
  first.Close();
  EXPECT_TRUE(second.OpenPath(slave_path_));
}

TEST_F(PseudoTerminal, ModemLinesItCannotDriveAreReportedAsFailures) {
  link::PosixSerialDevice device;
  ASSERT_TRUE(device.OpenPath(slave_path_));
  EXPECT_FALSE(device.SetDtr(true));  // a pseudo-terminal has no modem lines
  EXPECT_FALSE(device.SetRts(false));
  device.Close();
  EXPECT_TRUE(device.SetDtr(true));  // closed: nothing to drive, nothing to report
}

TEST(PosixSerialDevice, AMissingDeviceOrANameWithNoDeviceDoesNotOpen) {
  link::PosixSerialDevice device;
  EXPECT_FALSE(device.OpenPath("/nonexistent/orx-test-port"));
  EXPECT_FALSE(device.Open("LPT1"));
  EXPECT_TRUE(device.SetBreak(true));
}

}  // namespace
}  // namespace orx::testing
