// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "system_reason.h"

namespace orx::ui {

// Windows words its reasons in the user's own language already.
QString SystemReason(int, const QString& system_words) {
  return system_words;
}

}  // namespace orx::ui
