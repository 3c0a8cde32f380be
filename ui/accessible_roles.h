// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orx::ui {

// What assistive technology is told the window and its status line are: a frame, not a
// "filler", and a status bar whose name is the message it shows, so that a screen reader's
// "read the status bar" finds it. Installed once, before the window is made.
void InstallAccessibleRoles();

}  // namespace orx::ui
