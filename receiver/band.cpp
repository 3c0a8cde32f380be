// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "band.h"

#include <algorithm>

namespace orx::receiver {

int Band::Clamp(int frequency) const {
  return std::clamp(frequency, lowest, highest);
}

void Band::SetLowest(int limit) {
  lowest = limit;
  highest = std::max(highest, limit);
}

void Band::SetHighest(int limit) {
  highest = limit;
  lowest = std::min(lowest, limit);
}

}  // namespace orx::receiver
