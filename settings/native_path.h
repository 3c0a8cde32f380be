// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <filesystem>

namespace orx::settings {

// A file name as the platform's own calls take it. On Linux a name is bytes, and a name from
// the command line need not be UTF-8 (an older system's Latin-2 name): each byte that is not
// part of valid UTF-8 travels in the QString as U+DC80 + byte and comes back as that byte.
std::filesystem::path NativePath(const QString& path);

// The file name in a command-line argument, every byte kept (see NativePath).
QString FileNameFromArgument(const char* argument);

}  // namespace orx::settings
