// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orx::ui {

// The family of the read-out and of the "ORX" label: Comic Sans MS by the window's design. Where
// the system's own fonts decide (fontconfig maps it to Comic Neue), that name; where the program
// carries Comic Neue itself (Windows), the carried face, so that the window looks the same
// whatever fonts Windows or Wine have. Needs the application to exist.
QString ComicFamily();

}  // namespace orx::ui
