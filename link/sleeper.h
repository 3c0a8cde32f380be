// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::link {

// Puts the thread to sleep until a moment on the link's clock, on the platform's
// high-resolution timer. It may wake early (a signal) or late (the scheduler); the wait that
// uses it spins the rest and so never comes out short.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepUntil(double deadline_ms) = 0;
};

}  // namespace orx::link
