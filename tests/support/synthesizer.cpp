// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "synthesizer.h"

#include <algorithm>

namespace orx::testing {

namespace {

using Operation = link::RecordingLineDevice::Operation;

constexpr uint32_t kWordMask = 0xFFFF;

struct Lines {
  bool dtr = false;
  bool rts = false;
  bool txd_break = false;
};

}  // namespace

std::vector<ReceivedWord> ReceiveWords(const std::vector<Event>& events, Reach reach) {
  std::vector<ReceivedWord> words;
  Lines lines;
  ReceivedWord current;
  bool in_frame = false;          // between the first operation and the closing pulse
  bool awaiting_closing = false;  // latched, closing pulse not yet seen
  uint32_t shift = 0;
  int pulses = 0;
  double last_txd_change = -1e9;
  double last_data_fall = -1e9;
  double last_operation = -1e9;
  bool data_clock_fell = false;

  for (const Event& event : events) {
    if (reach == Reach::kOpenPortOnly && !event.device_open) continue;
    if (event.operation == Operation::kOpen || event.operation == Operation::kClose) continue;
    const double t = event.time_ms;
    if (!in_frame) {
      current = ReceivedWord{};
      current.start_ms = t;
      in_frame = true;
      awaiting_closing = false;
      shift = 0;
      pulses = 0;
      data_clock_fell = false;
    } else {
      current.min_gap_ms = std::min(current.min_gap_ms, t - last_operation);
    }
    last_operation = t;

    switch (event.operation) {
      case Operation::kBreak:
        if (data_clock_fell)
          current.min_hold_ms = std::min(current.min_hold_ms, t - last_data_fall);
        data_clock_fell = false;
        lines.txd_break = event.level;
        last_txd_change = t;
        break;
      case Operation::kDtr:
        if (lines.dtr && !event.level) {
          current.word = static_cast<uint16_t>(shift & kWordMask);
          current.data_pulses = std::max(0, pulses - 1);
          awaiting_closing = true;
        }
        lines.dtr = event.level;
        break;
      case Operation::kRts:
        if (!lines.rts && event.level) {
          if (lines.dtr) {
            if (pulses == 0) {
              current.opening_pulse_txd_idle = !lines.txd_break;
            } else {
              current.min_setup_ms = std::min(current.min_setup_ms, t - last_txd_change);
            }
            shift = (shift << 1) | (lines.txd_break ? 1u : 0u);
            ++pulses;
          } else if (awaiting_closing) {
            current.closing_pulse = true;
            current.closing_pulse_txd = lines.txd_break;
          }
        } else if (lines.rts && !event.level) {
          if (lines.dtr && pulses > 1) {
            last_data_fall = t;
            data_clock_fell = true;
          }
          if (awaiting_closing && current.closing_pulse) {
            current.end_ms = t;
            words.push_back(current);
            in_frame = false;
          }
        }
        lines.rts = event.level;
        break;
      default:
        break;
    }
  }
  return words;
}

std::vector<uint16_t> WordsOf(const std::vector<ReceivedWord>& received) {
  std::vector<uint16_t> words;
  for (const auto& frame : received) words.push_back(frame.word);
  return words;
}

std::vector<std::string> FrameProblems(const ReceivedWord& frame, double wait_ms) {
  std::vector<std::string> problems;
  if (frame.data_pulses != 16) {
    problems.push_back("data pulses: " + std::to_string(frame.data_pulses));
  }
  if (!frame.opening_pulse_txd_idle) problems.push_back("TXD in break during opening pulse");
  if (!frame.closing_pulse) problems.push_back("no closing pulse with DTR cleared");
  if (frame.closing_pulse_txd != ((frame.word & 1) != 0)) {
    problems.push_back("TXD during closing pulse is not bit 0");
  }
  if (frame.min_setup_ms < wait_ms) problems.push_back("data set up less than one wait");
  if (frame.min_hold_ms < 2 * wait_ms) problems.push_back("data held less than two waits");
  if (frame.min_gap_ms < 0) problems.push_back("line operations out of order");
  return problems;
}

}  // namespace orx::testing
