// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <windows.h>

#include <QDir>
#include <QStandardPaths>
#include <string>

#include "settings_location.h"

namespace orx::settings {

bool FolderTakesNewFiles(const QString& folder) {
  // Qt reads only a folder's read-only attribute, which Windows does not heed for folders; what
  // refuses new files is the folder's access list, as under Program Files, or a read-only
  // volume. So a file is made there, hidden, and gone again as it is closed.
  const std::wstring probe =
      QDir::toNativeSeparators(
          QDir(folder).filePath(QStringLiteral(".orx-frekvenca-%1.tmp").arg(GetCurrentProcessId())))
          .toStdWString();
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
  CloseHandle(file);
  return true;
}

QString UserConfigurationFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

}  // namespace orx::settings
