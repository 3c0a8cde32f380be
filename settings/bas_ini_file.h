// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <vector>

#include "settings/ini_document.h"

namespace orx::settings::basIniFile {

// The value of one key, read whole, or `default_value` when the file, the section or the key
// is missing or the file cannot be read. The file is read anew at every call.
QString ReadIni(const QString& path, const QString& section, const QString& key,
                const QString& default_value);

// The whole file, read once, for a caller that reads many keys at a time. A missing file reads
// as an empty one; a file that exists but cannot be read says why.
struct IniFile {
  bool readable = true;
  QString reason;        // why not, in the system's words
  int error_number = 0;  // the errno behind it, where the system gave one
  IniDocument document{QByteArray()};
};
IniFile ReadIniFile(const QString& path);

// Stores one key. The new file is written beside the old one, flushed to disk and put in its
// place, so that a crash leaves either the old file or the new one. Returns false when the
// value did not reach the file: it cannot be stored (a line break), the old file cannot be
// read, the file is write-protected or not a regular file, another copy of the program kept
// the file busy, or any write, flush, sync or rename failed (a full disk). The file is then
// left as it was, byte for byte.
bool WriteIni(const QString& path, const QString& section, const QString& key,
              const QString& value);

// What became of a write, and why it did not reach the file.
struct IniWrite {
  enum class Failure {
    kNone,
    kCannotStore,     // a line break, or a name the format cannot hold
    kWriteProtected,  // read-only for everyone, or for this user
    kBusy,            // another copy of the program kept the file
    kUnreadable,      // the present content could not be read, so its other keys would be lost
    kNotRegularFile,  // a folder, a FIFO, a device
    kSystem,          // a write, flush, sync or rename failed: error_number and reason say why
  };
  Failure failure = Failure::kNone;
  int error_number = 0;  // the errno behind it, where the system gave one
  QString reason;        // the system's own words for it
  explicit operator bool() const { return failure == Failure::kNone; }
};

using settings::KeyValue;
// Stores several keys in one replacement: the same bytes as writing them one after the other,
// but the file changes once or not at all.
IniWrite WriteIniKeys(const QString& path, const std::vector<KeyValue>& values);

}  // namespace orx::settings::basIniFile
