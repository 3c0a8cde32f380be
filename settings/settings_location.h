// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orx::settings {

// Where pll.ini lives, in this order: the file the user named; for a copy unpacked into a
// folder of its own, pll.ini beside the program when it is there or that folder is writable
// (how the Windows program was always used); otherwise, and always for an installed copy,
// pll.ini in the user's configuration folder (~/.config/orx-frekvenca on Linux).
struct SettingsLocation {
  QString file;
  // The folder to make before the first write; empty when it is not ours to make.
  QString folder_to_make;
};
SettingsLocation LocateSettingsFile(const QString& named_file, const QString& program_folder,
                                    bool installed_copy);

// Whether the program in `program_folder` was installed into the system or a prefix of the
// user's (`installed_folder` is where the build installs it): such a copy never keeps its
// settings beside itself, where root's run would leave a pll.ini for every user.
bool IsInstalledCopy(const QString& program_folder, const QString& installed_folder);

// The user's folder for configuration files: XDG_CONFIG_HOME when it is an absolute path, else
// .config in the home (HOME when absolute, else the password database's entry).
QString UserConfigurationFolder();

// Whether a new file can be made in `folder` by this user, as the system will decide it.
bool FolderTakesNewFiles(const QString& folder);

}  // namespace orx::settings
