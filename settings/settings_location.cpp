// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_location.h"

#include <QDir>
#include <QFileInfo>

#include "pll_ini.h"

namespace orx::settings {

namespace {
const QString kProgramFolderName = QStringLiteral("orx-frekvenca");
}  // namespace

SettingsLocation LocateSettingsFile(const QString& named_file, const QString& program_folder,
                                    bool installed_copy) {
  if (!named_file.isEmpty()) return {QFileInfo(named_file).absoluteFilePath(), {}};
  const QString beside_program = SettingsFilePath(program_folder);
  if (!installed_copy &&
      (QFileInfo::exists(beside_program) || FolderTakesNewFiles(program_folder))) {
    return {beside_program, {}};
  }
  const QString folder = QDir(UserConfigurationFolder()).filePath(kProgramFolderName);
  return {QDir(folder).filePath(kFileName), folder};
}

bool IsInstalledCopy(const QString& program_folder, const QString& installed_folder) {
  const QString folder = QFileInfo(program_folder).canonicalFilePath();
  if (folder.isEmpty()) return false;
  if (folder == QFileInfo(installed_folder).canonicalFilePath()) return true;
  // The system's own folders, and any prefix that got the desktop entry beside the program.
  if (folder.startsWith(QStringLiteral("/usr/"))) return true;
  return QFileInfo::exists(
      QDir(folder).filePath(QStringLiteral("../share/applications/orx-frekvenca.desktop")));
}

}  // namespace orx::settings
