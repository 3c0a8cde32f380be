#include <fcntl.h>
#include <unistd.h>

#include <QFile>

#include "disk_sync.h"

namespace orx::settings {

bool SyncFileToDisk(int file_descriptor) {
  return ::fdatasync(file_descriptor) == 0;
}

void SyncFolderToDisk(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace orx::settings
