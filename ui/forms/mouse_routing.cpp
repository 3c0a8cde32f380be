// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mouse_routing.h"

#include <QWidget>

namespace orx::forms {

void KeepMouseInput(QWidget* control) {
  control->setAttribute(Qt::WA_NoMousePropagation);
}

}  // namespace orx::forms
