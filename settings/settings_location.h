#pragma once

#include <QString>

namespace orx::settings {

// Where pll.ini lives, in this order: the file the user named; pll.ini beside the program
// when it is there or that folder is writable (how the Windows program was always used);
// otherwise pll.ini in the user's configuration folder (~/.config/orx-frekvenca on Linux).
QString LocateSettingsFile(const QString& named_file, const QString& program_folder);

// Creates the folder that is to hold the file, where it is missing; false when it cannot be.
bool PrepareSettingsFolder(const QString& settings_file);

}  // namespace orx::settings
