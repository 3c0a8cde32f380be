// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace orx::forms {

// A press or a movement over a control belongs to that control and never reaches the window
// body behind it, whether or not the control itself uses the event.
void KeepMouseInput(QWidget* control);

}  // namespace orx::forms
