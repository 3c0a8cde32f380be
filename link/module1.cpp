// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "module1.h"

namespace orx::link {

namespace {
constexpr char kDeviceSuffix = ':';
constexpr int16_t kLevelSet = 1;
constexpr int32_t kOpenHandle = 1;
constexpr int32_t kFailedHandle = -1;
}  // namespace

int16_t Module1::OpenPort(std::string_view name) {
  if (name.ends_with(kDeviceSuffix)) name.remove_suffix(1);
  const bool opened = device_.Open(name);
  port_handle_ = opened ? kOpenHandle : kFailedHandle;
  return opened ? 1 : 0;
}

void Module1::ClosePort() {
  device_.Close();
}

void Module1::SetDtr(int16_t level) {
  Remember(device_.SetDtr(level == kLevelSet));
}

void Module1::SetRts(int16_t level) {
  Remember(device_.SetRts(level == kLevelSet));
}

void Module1::SetTxd(int16_t level) {
  Remember(device_.SetBreak(level == kLevelSet));
}

double Module1::ReadClock() {
  return clock_.ReadMilliseconds();
}

void Module1::BusyWait(double delay) {
  wait_.Wait(delay);
}

void Module1::Remember(bool line_operation_succeeded) {
  if (!line_operation_succeeded) ++failed_operations_;
}

}  // namespace orx::link
