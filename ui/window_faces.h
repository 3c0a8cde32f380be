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

// The family of the window's other text: MS Sans Serif by the design. Where the system has no
// smoothly scaled MS Sans Serif that shows č, š and ž (Windows keeps it as a bitmap font, Wine's
// is Western European), the first of Windows' own sans serifs that does, or else the carried
// face. Needs the application to exist.
QString SansSerifFamily();

}  // namespace orx::ui
