#pragma once

#include <QString>

namespace orx::settings {

// Forces an open file's data to the disk; false when the system reports it did not get there.
bool SyncFileToDisk(int file_descriptor);
// Makes a rename within the folder durable, where the system needs that said.
void SyncFolderToDisk(const QString& folder);

}  // namespace orx::settings
