// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "word_frame.h"

namespace orx::link {

namespace {

constexpr int16_t kClear = 0;
constexpr int16_t kSet = 1;
constexpr int32_t kMostSignificantBit = 1 << (kWordBits - 1);

void Wait(Module1& port) {
  port.BusyWait(kWaitUnit);
}

void ClockPulse(Module1& port) {
  port.SetRts(kSet);
  Wait(port);
  port.SetRts(kClear);
}

// The bit is on TXD one wait before the clock rises and stays two waits after it falls.
void SendBit(Module1& port, bool bit) {
  Wait(port);
  port.SetTxd(bit ? kSet : kClear);
  Wait(port);
  ClockPulse(port);
  Wait(port);
}

}  // namespace

void SendWord(Module1& port, int32_t word) {
  port.SetTxd(kClear);
  port.SetDtr(kClear);
  port.SetRts(kClear);
  Wait(port);

  port.SetDtr(kSet);
  Wait(port);
  Wait(port);
  ClockPulse(port);  // opening pulse, TXD out of break

  for (int32_t mask = kMostSignificantBit; mask > 0; mask /= 2) SendBit(port, (word & mask) > 0);

  port.SetDtr(kClear);
  Wait(port);
  ClockPulse(port);  // closing pulse, DTR already cleared
}

bool SendWordToSynthesizer(Module1& port, int32_t word) {
  const long failed_before = port.FailedOperations();
  SendWord(port, word);
  return port.PortHandle() == 1 && port.FailedOperations() == failed_before;
}

}  // namespace orx::link
