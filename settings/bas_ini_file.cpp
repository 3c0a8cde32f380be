#include "bas_ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

#include "atomic_file.h"
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

// A file that its owner made read-only stays so, even for a user, root, whom the system would
// let replace it.
bool IsWriteProtected(const QString& path) {
  const QFileInfo file(path);
  if (!file.exists()) return false;
  constexpr auto kAnyWrite =
      QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return (file.permissions() & kAnyWrite) == 0 || !file.isWritable();
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
  if (IsWriteProtected(path)) return false;
  // Never replace a file whose present content could not be read: its other keys would be lost.
  const auto bytes = ReadBytes(path);
  if (!bytes) return false;
  return ReplaceFileContent(path, IniDocument(*bytes).WithValue(section, key, value));
}

}  // namespace orx::settings::basIniFile
