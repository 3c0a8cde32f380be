// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace orx::ui {

// The program's icon for its windows: the SVG, or where this Qt cannot read SVG (the Windows
// build) the PNG rendered from it at build time.
QIcon ProgramIcon();

}  // namespace orx::ui
