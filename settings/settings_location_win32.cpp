// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QStandardPaths>

#include "settings_location.h"

namespace orx::settings {

QString UserConfigurationFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

}  // namespace orx::settings
