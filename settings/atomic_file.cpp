#include "atomic_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "disk_sync.h"

namespace orx::settings {

namespace {

// Our temporaries are hidden and carry the program's mark, so that nothing else is ever
// taken for one of them.
const QString kTemporaryMark = QStringLiteral(".orx-save-");
const QString kRandomPart = QStringLiteral("XXXXXX");
constexpr int kRandomLength = 6;
// Younger temporaries may belong to a second copy of the program that is saving right now.
constexpr qint64 kStaleAfterSeconds = 60;

constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString TemporaryPrefix(const QFileInfo& target) {
  return QStringLiteral(".") + target.fileName() + kTemporaryMark;
}

void RemoveStaleTemporaries(const QFileInfo& target) {
  const QString prefix = TemporaryPrefix(target);
  QDir folder = target.absoluteDir();
  const QDateTime stale_before = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
  const auto entries = folder.entryInfoList({prefix + QString(kRandomLength, u'?')},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    if (entry.lastModified().toUTC() < stale_before) folder.remove(entry.fileName());
  }
}

}  // namespace

QString TemporaryFilePattern(const QString& path) {
  const QFileInfo target(path);
  return target.absoluteDir().filePath(TemporaryPrefix(target) + kRandomPart);
}

bool RenameOver(const QString& temporary, const QString& target) {
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                          std::filesystem::path(target.toStdU16String()), error);
  return !error;
}

bool ReplaceFileContent(const QString& path, const QByteArray& bytes, const CommitStep& commit) {
  const QFileInfo target(path);
  QTemporaryFile temporary(TemporaryFilePattern(path));
  temporary.setAutoRemove(true);
  if (!temporary.open()) return false;
  const auto permissions = target.exists() ? target.permissions() : kNewFilePermissions;
  // Every step is checked: a short write, a failed flush or sync means a full disk or a
  // failing device, and then the old file must stay.
  const bool written = temporary.write(bytes) == bytes.size() && temporary.flush() &&
                       SyncFileToDisk(temporary.handle()) && temporary.setPermissions(permissions);
  temporary.close();
  if (!written || temporary.error() != QFileDevice::NoError) return false;
  if (!commit(temporary.fileName(), target.absoluteFilePath())) return false;
  temporary.setAutoRemove(false);
  SyncFolderToDisk(target.absolutePath());
  RemoveStaleTemporaries(target);
  return true;
}

}  // namespace orx::settings
