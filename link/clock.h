// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::link {

// A steadily rising time source in milliseconds. Word frames are timed by spinning on it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double ReadMilliseconds() = 0;
};

}  // namespace orx::link
