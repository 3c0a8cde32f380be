// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recording_line_device.h"

namespace orx::link {

bool RecordingLineDevice::Open(std::string_view port_name) {
  opened_name_ = std::string(port_name);
  open_ = open_failure_ == OpenFailure::kNone;
  last_open_ = OpenResult{open_failure_, opened_name_, open_ ? std::string() : system_message_};
  Keep({clock_.ReadMilliseconds(), Operation::kOpen, open_, open_});
  return open_;
}

void RecordingLineDevice::Close() {
  Keep({clock_.ReadMilliseconds(), Operation::kClose, false, open_});
  open_ = false;
}

bool RecordingLineDevice::SetDtr(bool asserted) {
  return Record(Operation::kDtr, asserted);
}

bool RecordingLineDevice::SetRts(bool asserted) {
  return Record(Operation::kRts, asserted);
}

bool RecordingLineDevice::SetBreak(bool on) {
  const bool reached = Record(Operation::kBreak, on);
  return reached && !(open_ && break_refused_);
}

bool RecordingLineDevice::Record(Operation operation, bool level) {
  Keep({clock_.ReadMilliseconds(), operation, level, open_});
  return true;
}

void RecordingLineDevice::Keep(const Event& event) {
  events_.push_back(event);
  if (observer_) observer_(event);
}

}  // namespace orx::link
