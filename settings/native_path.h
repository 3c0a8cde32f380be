#pragma once

#include <QString>
#include <filesystem>

namespace orx::settings {

// A file name as the platform's own calls take it.
inline std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace orx::settings
