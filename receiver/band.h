// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::receiver {

// The band and the frequency within it, with the arithmetic of a classic scroll bar: a new
// lower limit above the upper one carries the upper one with it (and the other way round), and
// a limit that excludes the frequency moves the frequency to it.
struct Band {
  int lowest = 0;
  int highest = 0;

  bool Holds(int frequency) const { return frequency >= lowest && frequency <= highest; }
  int Clamp(int frequency) const;
  void SetLowest(int limit);
  void SetHighest(int limit);
};

}  // namespace orx::receiver
