// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "file_replacement.h"

// What each platform provides for file_replacement.cpp.
namespace orx::settings::platform {

// A new, empty file of our own beside the target, open for writing.
class TemporaryFile {
 public:
  virtual ~TemporaryFile() = default;
  virtual const std::filesystem::path& Path() const = 0;
  virtual std::error_code Write(std::string_view bytes) = 0;
  virtual std::error_code Sync() = 0;
  // The existing target's mode and owner, where the system lets us give them.
  virtual std::error_code TakeAttributesOf(const std::filesystem::path& target) = 0;
  virtual std::error_code Close() = 0;
};

// Six letters or digits for a temporary's name.
std::string RandomPart();

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const std::filesystem::path& target,
                                                     std::error_code& error);
// Puts the closed temporary in the target's place in one step.
std::error_code Commit(const std::filesystem::path& temporary, const std::filesystem::path& target);
// Makes a completed commit durable where the system needs that said.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace orx::settings::platform
