// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_page.h"

#include <QDir>
#include <QStandardPaths>

namespace orx::app {

namespace {

const QString kKeyFileName = QStringLiteral("web-key");

}  // namespace

QString DefaultKeyFile() {
  // systemd may name several folders, separated by colons; the first is this service's own.
  const QString state = qEnvironmentVariable("STATE_DIRECTORY").section(u':', 0, 0);
  if (!state.isEmpty()) return QDir(state).filePath(kKeyFileName);
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(kKeyFileName);
}

}  // namespace orx::app
