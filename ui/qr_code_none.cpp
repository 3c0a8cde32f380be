// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qr_code.h"

namespace orx::ui {

// Where no QR encoder was built in, the link is offered as text alone.
QImage QrCode(const QString&) {
  return {};
}

}  // namespace orx::ui
