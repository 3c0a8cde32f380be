// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_faces.h"

namespace orx::ui {

// fontconfig maps both names to the faces that stand in for them.
QString ComicFamily() {
  return QStringLiteral("Comic Sans MS");
}

QString SansSerifFamily() {
  return QStringLiteral("MS Sans Serif");
}

}  // namespace orx::ui
