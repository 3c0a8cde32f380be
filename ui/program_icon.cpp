// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program_icon.h"

#include <QFile>
#include <QImageReader>

namespace orx::ui {

QIcon ProgramIcon() {
  const QString png = QStringLiteral(":/orx/orx-frekvenca.png");
  if (!QImageReader::supportedImageFormats().contains("svg") && QFile::exists(png))
    return QIcon(png);
  return QIcon(QStringLiteral(":/orx/orx-frekvenca.svg"));
}

}  // namespace orx::ui
