// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock.h"

namespace orx::link {

// Milliseconds from the platform's steady high-resolution clock.
class SteadyClock : public Clock {
 public:
  double ReadMilliseconds() override;
};

}  // namespace orx::link
