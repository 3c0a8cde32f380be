// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pll_ini.h"

#include <QDir>

namespace orx::settings {

QString SettingsFilePath(const QString& program_folder) {
  return program_folder + QDir::separator() + kFileName;
}

}  // namespace orx::settings
