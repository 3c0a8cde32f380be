// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "settings_location.h"

namespace orx::settings {

namespace {

QString Home() {
  const QString home = qEnvironmentVariable("HOME");
  if (QDir::isAbsolutePath(home)) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
    return QFile::decodeName(entry->pw_dir);
  return QDir::rootPath();
}

}  // namespace

bool FolderTakesNewFiles(const QString& folder) {
  return QFileInfo(folder).isWritable();  // access(2): modes, owners and a read-only mount
}

QString UserConfigurationFolder() {
  const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(configured)) return configured;  // a relative one is ignored
  return QDir(Home()).filePath(QStringLiteral(".config"));
}

}  // namespace orx::settings
