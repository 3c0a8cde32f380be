#include "settings_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "pll_ini.h"

namespace orx::settings {

QString LocateSettingsFile(const QString& named_file, const QString& program_folder) {
  if (!named_file.isEmpty()) return QFileInfo(named_file).absoluteFilePath();
  const QString beside_program = SettingsFilePath(program_folder);
  if (QFileInfo::exists(beside_program) || QFileInfo(program_folder).isWritable()) {
    return beside_program;
  }
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return QDir(config).filePath(kFileName);
}

bool PrepareSettingsFolder(const QString& settings_file) {
  return QDir().mkpath(QFileInfo(settings_file).absolutePath());
}

}  // namespace orx::settings
