// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace orx::link {

// Why a port did not open, in the terms the user can act on.
enum class OpenFailure { kNone, kMissing, kBusy, kPermission, kOther };

struct OpenResult {
  OpenFailure failure = OpenFailure::kNone;
  std::string device;          // the device the port name led to, as the user should see it
  std::string system_message;  // the system's own words for the failure
  int error_number = 0;        // the errno behind it, where the system gave one
};

}  // namespace orx::link
