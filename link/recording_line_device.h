// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "clock.h"
#include "line_device.h"

namespace orx::link {

// A line device that drives no hardware: it keeps every operation with the clock time at
// which it was issued, so that the lines can be replayed as the synthesizer would see them.
class RecordingLineDevice : public LineDevice {
 public:
  enum class Operation { kOpen, kClose, kDtr, kRts, kBreak };

  struct Event {
    double time_ms;
    Operation operation;
    bool level;        // the level asked for; for kOpen whether the open succeeded
    bool device_open;  // whether the operation could reach a device
  };

  explicit RecordingLineDevice(Clock& clock) : clock_(clock) {}

  // Lets a test stand in for a port that will not open, or an adapter that refuses break.
  void SetOpenSucceeds(bool succeeds) {
    open_failure_ = succeeds ? OpenFailure::kNone : OpenFailure::kMissing;
  }
  void SetOpenFailure(OpenFailure failure, std::string system_message = {}) {
    open_failure_ = failure;
    system_message_ = std::move(system_message);
  }
  void SetBreakRefused(bool refused) { break_refused_ = refused; }

  bool Open(std::string_view port_name) override;
  void Close() override;
  const OpenResult& LastOpen() const override { return last_open_; }
  bool SetDtr(bool asserted) override;
  bool SetRts(bool asserted) override;
  bool SetBreak(bool on) override;

  // Called after each operation is kept, as the synthesizer would see it happen.
  void SetObserver(std::function<void(const Event&)> observer) { observer_ = std::move(observer); }

  const std::vector<Event>& Events() const { return events_; }
  const std::string& OpenedName() const { return opened_name_; }
  bool IsOpen() const { return open_; }
  void ClearEvents() { events_.clear(); }

 private:
  bool Record(Operation operation, bool level);
  void Keep(const Event& event);

  Clock& clock_;
  std::vector<Event> events_;
  std::function<void(const Event&)> observer_;
  std::string opened_name_;
  OpenFailure open_failure_ = OpenFailure::kNone;
  std::string system_message_;
  OpenResult last_open_;
  bool break_refused_ = false;
  bool open_ = false;
};

}  // namespace orx::link
