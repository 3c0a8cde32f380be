#include "bas_ini_file.h"

#include <QFile>
#include <QSaveFile>
#include <optional>

#include "ini_document.h"

namespace orx::settings::basIniFile {

namespace {

// The file's bytes; empty for a missing file, nothing when it exists but cannot be read.
std::optional<QByteArray> ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.exists()) return QByteArray();
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

}  // namespace

QString ReadIni(const QString& path, const QString& section, const QString& key,
                const QString& default_value) {
  const auto bytes = ReadBytes(path);
  if (!bytes) return default_value;
  return IniDocument(*bytes).Value(section, key).value_or(default_value);
}

bool WriteIni(const QString& path, const QString& section, const QString& key,
              const QString& value) {
  if (!IniDocument::CanStoreValue(value) || !IniDocument::CanStoreSection(section) ||
      !IniDocument::CanStoreKey(key)) {
    return false;
  }
  // Never replace a file whose present content could not be read: its other keys would be lost.
  const auto bytes = ReadBytes(path);
  if (!bytes) return false;
  const QByteArray updated = IniDocument(*bytes).WithValue(section, key, value);

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(updated) != updated.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace orx::settings::basIniFile
