// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bas_ini_file.h"

#include "file_replacement.h"
#include "ini_document.h"
#include "native_path.h"

namespace orx::settings::basIniFile {

namespace {

// A second copy of the program saving the same file holds it this long at most.
constexpr auto kLockPatience = std::chrono::milliseconds(3000);

IniWrite Refused(IniWrite::Failure failure) {
  IniWrite refused;
  refused.failure = failure;
  return refused;
}

// The reading and the replacing both refuse anything but a regular file with this error.
IniWrite SystemFailure(IniWrite::Failure failure, const std::error_code& error) {
  if (error == std::errc::invalid_argument || error == std::errc::is_a_directory)
    return Refused(IniWrite::Failure::kNotRegularFile);
  const bool posix = error.category() == std::generic_category();
  return {failure, posix ? error.value() : 0, QString::fromLocal8Bit(error.message())};
}

bool CanStore(const KeyValue& change) {
  return IniDocument::CanStoreValue(change.value) && IniDocument::CanStoreSection(change.section) &&
         IniDocument::CanStoreKey(change.key);
}

}  // namespace

QString ReadIni(const QString& path, const QString& section, const QString& key,
                const QString& default_value) {
  const FileRead read = ReadWholeFile(NativePath(path));
  if (read.outcome != FileRead::Outcome::kRead) return default_value;
  return IniDocument(QByteArray::fromStdString(read.bytes))
      .Value(section, key)
      .value_or(default_value);
}

IniFile ReadIniFile(const QString& path) {
  FileRead read = ReadWholeFile(NativePath(path));
  if (read.outcome == FileRead::Outcome::kFailed) {
    const bool posix = read.error.category() == std::generic_category();
    return {false, QString::fromLocal8Bit(read.error.message()), posix ? read.error.value() : 0,
            IniDocument(QByteArray())};
  }
  return {true, QString(), 0, IniDocument(QByteArray::fromStdString(read.bytes))};
}

bool WriteIni(const QString& path, const QString& section, const QString& key,
              const QString& value) {
  return static_cast<bool>(WriteIniKeys(path, {{section, key, value}}));
}

IniWrite WriteIniKeys(const QString& path, const std::vector<KeyValue>& values) {
  using Failure = IniWrite::Failure;
  if (!std::all_of(values.begin(), values.end(), CanStore)) return Refused(Failure::kCannotStore);
  const auto native = NativePath(path);
  if (IsWriteProtected(native)) return Refused(Failure::kWriteProtected);
  const auto lock = LockForUpdate(ReplacementTarget(native), kLockPatience);
  if (!lock) return Refused(Failure::kBusy);
  // Never replace a file whose present content could not be read: its other keys would be lost.
  const FileRead read = ReadWholeFile(native);
  if (read.outcome == FileRead::Outcome::kFailed)
    return SystemFailure(Failure::kUnreadable, read.error);
  const QByteArray bytes = IniDocument(QByteArray::fromStdString(read.bytes)).WithValues(values);
  const std::error_code error =
      ReplaceFile(native, std::string_view(bytes.constData(), bytes.size()));
  return error ? SystemFailure(Failure::kSystem, error) : IniWrite{};
}

}  // namespace orx::settings::basIniFile
