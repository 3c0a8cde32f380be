// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::remote {

// What the control port may do to the receiver: read the frequency shown and tune it, within
// its band. Frequencies are in kHz, as the receiver has them.
class TuningTarget {
 public:
  virtual ~TuningTarget() = default;
  virtual int ShownKilohertz() const = 0;
  virtual int LowestKilohertz() const = 0;
  virtual int HighestKilohertz() const = 0;
  // Tunes exactly as the user's own scroll would; the same value again sends nothing. False
  // when the word did not reach the synthesizer (no open port, a line the port refused).
  virtual bool TuneTo(int kilohertz) = 0;
};

}  // namespace orx::remote
