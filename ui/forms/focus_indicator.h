// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace orx::forms {

// Draws the keyboard focus of a control that has it: a black ring two pixels wide just inside
// its edge, at least 3:1 against any face of this window, from the first moment and not only
// after the first Tab (the style's own ring waits for that, and is a faint tint).
void PaintFocusIndicator(QWidget* control);

}  // namespace orx::forms
