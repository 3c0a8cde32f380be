// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "module1.h"

namespace orx::link {

// The word that sets the synthesizer up; sent once at start-up, before the first divider word.
inline constexpr int32_t kControlWord = 34053;  // 0x8505
// The divider word is the frequency in kHz plus this offset.
inline constexpr int32_t kDividerOffset = 12;

inline constexpr int kWordBits = 16;
inline constexpr double kWaitUnit = 1.0;
inline constexpr int kFrameWaits = 70;
inline constexpr int kFrameLineOperations = 57;

// Clocks the 16 low-order bits of `word` into the synthesizer, most significant bit first:
// DTR frames the word, RTS is the clock and TXD (break on = 1) carries the data.
// The frame always runs to its end, whether or not a port is open.
void SendWord(Module1& port, int32_t word);

// The same, telling whether the word reached the synthesizer: the port was open and took every
// line operation of the frame.
bool SendWordToSynthesizer(Module1& port, int32_t word);

}  // namespace orx::link
