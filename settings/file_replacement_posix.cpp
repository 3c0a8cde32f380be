// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "file_replacement.h"
#include "file_replacement_platform.h"

namespace orx::settings {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// File systems without Unix modes and owners (FAT through fusefat or vfat, ntfs-3g, CIFS) refuse
// to set them in these ways; the file is saved all the same, as the file system keeps it.
bool HasNoUnixModes(int error_number) {
  return error_number == ENOSYS || error_number == EPERM || error_number == ENOTSUP ||
         error_number == EOPNOTSUPP;
}

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

class PosixTemporary : public platform::TemporaryFile {
 public:
  PosixTemporary(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}
  ~PosixTemporary() override { fd_.Reset(); }

  const fs::path& Path() const override { return path_; }

  std::error_code Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0)
        return written < 0 ? LastError() : std::make_error_code(std::errc::no_space_on_device);
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
  }

  std::error_code Sync() override {
    return ::fdatasync(fd_.get()) == 0 ? std::error_code() : LastError();
  }

  std::error_code TakeAttributesOf(const fs::path& target) override {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) return LastError();
    // As root, the file stays its owner's; a user may at least keep the group he shares.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      if (::fchown(fd_.get(), old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int ignored =
            ::fchown(fd_.get(), static_cast<uid_t>(-1), old.st_gid);
      }
    }
    if (::fchmod(fd_.get(), old.st_mode & 07777) != 0 && !HasNoUnixModes(errno)) return LastError();
    return {};
  }

  std::error_code Close() override {
    const int fd = fd_.Release();
    return ::close(fd) == 0 ? std::error_code() : LastError();
  }

 private:
  fs::path path_;
  Descriptor fd_;
};

class FolderLock : public UpdateLock {
 public:
  explicit FolderLock(int fd) : fd_(fd) {}

 private:
  Descriptor fd_;  // closing it lets the lock go
};

// Waits for the lock in a thread of its own, as the system lets no other wait give up in time.
// Given up on, it lets the lock go as soon as it has it.
class LockWaiter {
 public:
  explicit LockWaiter(int fd) : fd_(fd) {}

  void Wait() {
    int taken;
    while ((taken = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    const std::lock_guard guard(mutex_);
    done_ = true;
    locked_ = taken == 0;
    if (abandoned_) ::close(fd_);
    ready_.notify_one();
  }

  // The lock, or nothing when it did not come within `patience`.
  std::unique_ptr<UpdateLock> Take(std::chrono::milliseconds patience) {
    std::unique_lock guard(mutex_);
    if (!ready_.wait_for(guard, patience, [this] { return done_; })) {
      abandoned_ = true;
      return nullptr;
    }
    if (!locked_) {
      ::close(fd_);
      return std::make_unique<UpdateLock>();  // as for a file system without locks
    }
    return std::make_unique<FolderLock>(fd_);
  }

 private:
  const int fd_;
  std::mutex mutex_;
  std::condition_variable ready_;
  bool done_ = false;
  bool locked_ = false;
  bool abandoned_ = false;
};

}  // namespace

namespace platform {

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const fs::path& target,
                                                     std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = target.parent_path() / (TemporaryPrefix(target) + platform::RandomPart());
    // 0666 less the umask: what a new pll.ini gets; an existing one's mode is given later.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) return std::make_unique<PosixTemporary>(path, fd);
    if (errno != EEXIST) break;
  }
  error = LastError();
  return nullptr;
}

std::error_code Commit(const fs::path& temporary, const fs::path& target) {
  return ::rename(temporary.c_str(), target.c_str()) == 0 ? std::error_code() : LastError();
}

void SyncFolder(const fs::path& folder) {
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace platform

bool IsWriteProtected(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return false;  // missing: nothing to protect
  return (status.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

FileRead ReadWholeFile(const fs::path& path) {
  FileRead result;
  // Non-blocking, so that a FIFO with no writer cannot hold the open.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return result;
    result.outcome = FileRead::Outcome::kFailed;
    result.error = LastError();
    return result;
  }
  result.outcome = FileRead::Outcome::kFailed;
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) {
    result.error = LastError();
    return result;
  }
  if (!S_ISREG(status.st_mode)) {
    result.error = std::make_error_code(S_ISDIR(status.st_mode) ? std::errc::is_a_directory
                                                                : std::errc::invalid_argument);
    return result;
  }
  if (static_cast<std::uintmax_t>(status.st_size) > kLargestSettingsFile) {
    result.error = std::make_error_code(std::errc::file_too_large);
    return result;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      result.error = LastError();
      return result;
    }
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
    if (bytes.size() > kLargestSettingsFile) {  // it grew while being read
      result.error = std::make_error_code(std::errc::file_too_large);
      return result;
    }
  }
  result.outcome = FileRead::Outcome::kRead;
  result.bytes = std::move(bytes);
  return result;
}

std::unique_ptr<UpdateLock> LockForUpdate(const fs::path& target,
                                          std::chrono::milliseconds patience) {
  // The folder is locked, not the file: a rename replaces the file but never the folder, and
  // no lock file is left behind.
  Descriptor fd(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return std::make_unique<UpdateLock>();  // the write will say what is wrong
  int taken;
  while ((taken = ::flock(fd.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (taken == 0) return std::make_unique<FolderLock>(fd.Release());
  // A file system without locks (some network shares) cannot be coordinated; write anyway.
  if (errno != EWOULDBLOCK) return std::make_unique<UpdateLock>();
  // Queued in the system, so that a copy saving one value after another lets this one in at
  // its next release; trying now and then would seldom hit the moment between two saves.
  auto waiting = std::make_shared<LockWaiter>(fd.Release());
  std::thread([waiting] { waiting->Wait(); }).detach();
  return waiting->Take(patience);
}

}  // namespace orx::settings
