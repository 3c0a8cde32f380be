#include <io.h>

#include "disk_sync.h"

namespace orx::settings {

bool SyncFileToDisk(int file_descriptor) {
  return ::_commit(file_descriptor) == 0;
}

void SyncFolderToDisk(const QString&) {
  // NTFS makes a completed rename durable with the file; there is no folder handle to flush.
}

}  // namespace orx::settings
