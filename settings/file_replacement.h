// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

// Whole-file reading and replacing for pll.ini, on the platform's own calls (standard library
// types only). The platform half lives in file_replacement_posix.cpp / _win32.cpp.
namespace orx::settings {

// Far beyond any pll.ini (50 keys of 49 characters); a larger file is never read into memory.
inline constexpr std::uintmax_t kLargestSettingsFile = 16u << 20;

struct FileRead {
  enum class Outcome { kRead, kMissing, kFailed };
  Outcome outcome = Outcome::kMissing;
  std::string bytes;
  std::error_code error;  // for kFailed: why
};

// Reads a regular file whole. A FIFO, a device, a socket or a folder is never opened in a way
// that could block and is never read; neither is a file larger than kLargestSettingsFile.
FileRead ReadWholeFile(const std::filesystem::path& path);

// A file that its owner made read-only (no write permission for anyone) stays so, even for a
// user, root, whom the system would let replace it; so does one this user may not write.
bool IsWriteProtected(const std::filesystem::path& path);

// Where a write to `path` lands: the final target of a symbolic link, so that the link stays.
std::filesystem::path ReplacementTarget(const std::filesystem::path& path);

// The steps of a replacement that a test may make fail; empty ones are the system's own.
struct ReplacementSteps {
  std::function<bool()> sync;
  std::function<bool(const std::filesystem::path& temporary, const std::filesystem::path& target)>
      commit;
};

// Replaces the content of `path` (through a symbolic link, its target) so that any failure or
// crash leaves either the old file, byte for byte, or the new one: the bytes go to a temporary
// file beside the target, are flushed, synced and closed, and only then take its place. The new
// file keeps the old one's mode and, where the system allows, its owner; a new file gets 0666
// less the umask. A path that names anything but a regular file is never replaced. After a
// success, temporaries of this naming that a killed run left are removed.
std::error_code ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                            const ReplacementSteps& steps = {});

// "." + the target's name + ".orx-save-" + six letters or digits.
std::string TemporaryPrefix(const std::filesystem::path& target);
inline constexpr std::size_t kTemporaryRandomLength = 6;
bool IsOurTemporary(const std::filesystem::path& candidate, const std::filesystem::path& target);

// Held for the whole of a read-change-replace of one file, so that two copies of the program
// never replace each other's changes. The system lets it go when the process ends, and it
// leaves nothing behind that could stand in a later run's way.
class UpdateLock {
 public:
  virtual ~UpdateLock() = default;
};
// Waits at most `patience` for the lock; nothing when another process kept it that long.
std::unique_ptr<UpdateLock> LockForUpdate(const std::filesystem::path& target,
                                          std::chrono::milliseconds patience);

}  // namespace orx::settings
