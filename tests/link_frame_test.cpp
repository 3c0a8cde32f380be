// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Word frames as the synthesizer sees them on DTR, RTS and TXD.
#include <gtest/gtest.h>

#include "link/module1.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "link/word_frame.h"
#include "support/synthesizer.h"
#include "support/virtual_clock.h"

namespace orx::testing {
namespace {

using link::RecordingLineDevice;

struct Wire {
  VirtualClock clock;
  RecordingLineDevice device{clock};
  link::Module1 port{device, clock};

  Wire() { port.OpenPort("COM2:"); }
  std::vector<ReceivedWord> Received() const { return ReceiveWords(device.Events()); }
};

struct WordCase {
  int32_t word;
  uint16_t on_wire;
};

class WordOnWire : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordOnWire, SynthesizerLatchesTheLow16BitsInAWellFormedFrame) {
  Wire wire;
  link::SendWord(wire.port, GetParam().word);

  const auto received = wire.Received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].word, GetParam().on_wire);
  EXPECT_TRUE(FrameProblems(received[0]).empty())
      << ::testing::PrintToString(FrameProblems(received[0]));
  EXPECT_GE(received[0].min_gap_ms, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    ProtocolWords, WordOnWire,
    ::testing::Values(WordCase{link::kControlWord, 0b1000010100000101},  // control word
                      WordCase{0 + link::kDividerOffset, 0b0000000000001100},
                      WordCase{24000 + link::kDividerOffset, 0b0101110111001100},
                      WordCase{32767 + link::kDividerOffset, 0b1000000000001011},
                      WordCase{-20 + link::kDividerOffset, 0b1111111111111000},
                      WordCase{0x1FFFF, 0xFFFF}),
    [](const auto& info) { return "word_" + std::to_string(info.param.on_wire); });

TEST(WordFrame, Makes57LineOperationsAcross70Waits) {
  Wire wire;
  wire.device.ClearEvents();
  const double start = wire.clock.Now();
  link::SendWord(wire.port, link::kControlWord);
  const double elapsed = wire.clock.Now() - start;

  const auto& events = wire.device.Events();
  ASSERT_EQ(events.size(), static_cast<size_t>(link::kFrameLineOperations));
  const double span = events.back().time_ms - events.front().time_ms;
  EXPECT_GE(span, link::kFrameWaits * link::kWaitUnit);
  // Each wait costs one extra clock read and each operation one timestamp read.
  EXPECT_LT(elapsed, link::kFrameWaits * link::kWaitUnit + 0.2);
}

TEST(WordFrame, BreakStaysOnAfterAnOddWordUntilTheNextFrameClearsIt) {
  Wire wire;
  link::SendWord(wire.port, link::kControlWord);
  const auto& after_first = wire.device.Events();
  ASSERT_EQ(after_first.back().operation, RecordingLineDevice::Operation::kRts);
  const auto last_break = std::find_if(
      after_first.rbegin(), after_first.rend(),
      [](const Event& e) { return e.operation == RecordingLineDevice::Operation::kBreak; });
  EXPECT_TRUE(last_break->level);

  wire.device.ClearEvents();
  link::SendWord(wire.port, 2000 + link::kDividerOffset);
  const auto& second = wire.device.Events();
  EXPECT_EQ(second.front().operation, RecordingLineDevice::Operation::kBreak);
  EXPECT_FALSE(second.front().level);
}

TEST(WordFrame, BackToBackFramesAreBothReceivedWithNoExtraGap) {
  Wire wire;
  link::SendWord(wire.port, link::kControlWord);
  link::SendWord(wire.port, 2012);
  const auto received = wire.Received();
  ASSERT_EQ(WordsOf(received), (std::vector<uint16_t>{0x8505, 2012}));
  EXPECT_LT(received[1].start_ms - received[0].end_ms, 0.01);
}

TEST(WordFrame, WithNoOpenPortNothingMovesButTheFrameTakesItsFullTime) {
  VirtualClock clock;
  RecordingLineDevice device(clock);
  link::Module1 port(device, clock);

  link::SendWord(port, 2012);
  EXPECT_TRUE(ReceiveWords(device.Events(), Reach::kOpenPortOnly).empty());
  EXPECT_GE(clock.Now(), link::kFrameWaits * link::kWaitUnit);

  device.SetOpenSucceeds(false);
  port.OpenPort("COM2:");
  link::SendWord(port, 2012);
  EXPECT_TRUE(ReceiveWords(device.Events(), Reach::kOpenPortOnly).empty());
  EXPECT_GE(clock.Now(), 2 * link::kFrameWaits * link::kWaitUnit);
  EXPECT_FALSE(port.LineOperationFailed());
}

TEST(WordFrame, OnTheRealClockEveryWaitLastsAtLeastOneMillisecond) {
  link::SteadyClock clock;
  RecordingLineDevice device(clock);
  link::Module1 port(device, clock);
  port.OpenPort("COM2:");

  link::SendWord(port, 24012);
  const auto received = ReceiveWords(device.Events());
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].word, 24012);
  EXPECT_TRUE(FrameProblems(received[0]).empty());
  EXPECT_GE(received[0].end_ms - received[0].start_ms, 70.0);
}

}  // namespace
}  // namespace orx::testing
