// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/recording_line_device.h"

namespace orx::testing {

using Event = link::RecordingLineDevice::Event;

// One word as the synthesizer latched it, with the timing it saw on the lines.
struct ReceivedWord {
  uint16_t word = 0;
  int data_pulses = 0;                  // clock pulses after the opening one, DTR set
  bool opening_pulse_txd_idle = false;  // TXD out of break during the opening pulse
  bool closing_pulse = false;           // one pulse with DTR cleared after the latch
  bool closing_pulse_txd = false;       // TXD level (break on) during the closing pulse
  double start_ms = 0;                  // first line operation of the frame
  double end_ms = 0;                    // last line operation of the frame
  double min_setup_ms = 1e9;            // TXD steady before a data clock rose
  double min_hold_ms = 1e9;             // TXD steady after a data clock fell
  double min_gap_ms = 1e9;              // shortest time between two line operations
};

enum class Reach { kOpenPortOnly, kAllOperations };

// Plays the synthesizer: shifts in the TXD level at each RTS rising edge while DTR is set and
// latches the last 16 bits when DTR falls.
std::vector<ReceivedWord> ReceiveWords(const std::vector<Event>& events,
                                       Reach reach = Reach::kOpenPortOnly);

std::vector<uint16_t> WordsOf(const std::vector<ReceivedWord>& received);

// Problems with a frame's shape against the protocol's timing, in words; empty when none.
std::vector<std::string> FrameProblems(const ReceivedWord& frame, double wait_ms = 1.0);

}  // namespace orx::testing
