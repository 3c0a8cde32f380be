#pragma once

#include <QString>

namespace orx::settings::basIniFile {

// The value of one key, read whole, or `default_value` when the file, the section or the key
// is missing. The file is read anew at every call.
QString ReadIni(const QString& path, const QString& section, const QString& key,
                const QString& default_value);

// Stores one key. The new file is written beside the old one, flushed to disk and renamed over
// it, so that a crash leaves either the old file or the new one. Returns false when the value
// did not reach the file: it cannot be stored (a line break), the old file cannot be read, or
// the file is write-protected, or any write, flush, sync or rename failed (a full disk). The
// file is then left as it was, byte for byte.
bool WriteIni(const QString& path, const QString& section, const QString& key,
              const QString& value);

}  // namespace orx::settings::basIniFile
