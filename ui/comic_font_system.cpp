// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comic_font.h"

namespace orx::ui {

QString ComicFamily() {
  return QStringLiteral("Comic Sans MS");
}

}  // namespace orx::ui
