// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

#include "open_result.h"

namespace orx::link {

// The three output lines of a serial port, driven by hand.
//
// Every setter returns false only when a device is open and the driver refused the
// operation. While no device is open (before Open, after a failed Open, after Close)
// the setters change nothing and return true.
class LineDevice {
 public:
  virtual ~LineDevice() = default;

  // Takes exclusive use of the named port: "COM2" (COMn, the Windows name) or, where the
  // platform has them, a device path.
  virtual bool Open(std::string_view port_name) = 0;
  virtual void Close() = 0;
  // The device the last Open tried, and why it failed if it did.
  virtual const OpenResult& LastOpen() const = 0;

  virtual bool SetDtr(bool asserted) = 0;
  virtual bool SetRts(bool asserted) = 0;
  // Break holds TXD in the spacing state; clearing it returns TXD to idle (marking).
  virtual bool SetBreak(bool on) = 0;
};

}  // namespace orx::link
