// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <windows.h>

#include <thread>
#include <utility>

#include "file_replacement.h"
#include "file_replacement_platform.h"

namespace orx::settings {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
  return {static_cast<int>(::GetLastError()), std::system_category()};
}

// Another program (or our own reader) may hold the file for a moment; a replacement that meets
// it tries again for this long before it gives up.
constexpr auto kBusyPatience = std::chrono::milliseconds(250);

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  void Reset() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class Win32Temporary : public platform::TemporaryFile {
 public:
  Win32Temporary(fs::path path, HANDLE handle) : path_(std::move(path)), handle_(handle) {}

  const fs::path& Path() const override { return path_; }
  HANDLE NativeHandle() const { return handle_.get(); }

  std::error_code Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
      DWORD written = 0;
      if (!::WriteFile(handle_.get(), bytes.data(), chunk, &written, nullptr)) return LastError();
      if (written == 0) return std::make_error_code(std::errc::no_space_on_device);
      bytes.remove_prefix(written);
    }
    return {};
  }

  std::error_code Sync() override {
    return ::FlushFileBuffers(handle_.get()) ? std::error_code() : LastError();
  }

  // The read-only attribute is refused before any write; nothing else of the old file's needs
  // carrying over on Windows.
  std::error_code TakeAttributesOf(const fs::path&) override { return {}; }

  // The handle must be closed before the move: Windows refuses to move a file still open.
  std::error_code Close() override {
    const HANDLE handle = handle_.Release();
    return ::CloseHandle(handle) ? std::error_code() : LastError();
  }

 private:
  fs::path path_;
  Handle handle_;
};

class LockFile : public UpdateLock {
 public:
  explicit LockFile(HANDLE handle) : handle_(handle) {}

 private:
  Handle handle_;  // closing it deletes the file and lets the lock go
};

bool IsBusy(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

// Another program holds the file open without letting it be replaced (as most readers on
// Windows do), so it can only be written where it stands, as the profile functions write it.
// The room for the new content is taken first, so that a full disk changes nothing.
std::error_code WriteInPlace(const fs::path& temporary, const fs::path& target) {
  const FileRead content = ReadWholeFile(temporary);
  if (content.outcome != FileRead::Outcome::kRead) return content.error;
  Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  LARGE_INTEGER old_size{};
  if (!::GetFileSizeEx(file.get(), &old_size)) return LastError();
  const auto new_size = static_cast<LONGLONG>(content.bytes.size());
  if (new_size > old_size.QuadPart) {
    LARGE_INTEGER end{};
    end.QuadPart = new_size;
    if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get()))
      return LastError();
  }
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return LastError();
  Win32Temporary writer(target, file.Release());
  if (auto error = writer.Write(content.bytes)) return error;
  if (!::SetEndOfFile(writer.NativeHandle())) return LastError();
  if (auto error = writer.Sync()) return error;
  if (auto error = writer.Close()) return error;
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return {};
}

}  // namespace

namespace platform {

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const fs::path& target,
                                                     std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path path = target.parent_path() / (TemporaryPrefix(target) + platform::RandomPart());
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
      return std::make_unique<Win32Temporary>(std::move(path), handle);
    if (::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  error = LastError();
  return nullptr;
}

std::error_code Commit(const fs::path& temporary, const fs::path& target) {
  const auto give_up = std::chrono::steady_clock::now() + kBusyPatience;
  while (!::MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    if (!IsBusy(error)) return {static_cast<int>(error), std::system_category()};
    if (std::chrono::steady_clock::now() >= give_up) return WriteInPlace(temporary, target);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

void SyncFolder(const fs::path&) {
  // MOVEFILE_WRITE_THROUGH returns once the move is on the disk.
}

}  // namespace platform

bool IsWriteProtected(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FileRead ReadWholeFile(const fs::path& path) {
  FileRead result;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return result;
    result.outcome = FileRead::Outcome::kFailed;
    result.error = {static_cast<int>(error), std::system_category()};
    return result;
  }
  result.outcome = FileRead::Outcome::kFailed;
  Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    result.error = LastError();
    return result;
  }
  if (::GetFileType(file.get()) != FILE_TYPE_DISK || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.error = std::make_error_code(std::errc::invalid_argument);
    return result;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    result.error = LastError();
    return result;
  }
  if (static_cast<std::uintmax_t>(size.QuadPart) > kLargestSettingsFile) {
    result.error = std::make_error_code(std::errc::file_too_large);
    return result;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    result.error = LastError();
    return result;
  }
  bytes.resize(read);
  result.outcome = FileRead::Outcome::kRead;
  result.bytes = std::move(bytes);
  return result;
}

std::unique_ptr<UpdateLock> LockForUpdate(const fs::path& target,
                                          std::chrono::milliseconds patience) {
  const fs::path lock_path = target.parent_path() / (TemporaryPrefix(target) + "lock");
  const auto give_up = std::chrono::steady_clock::now() + patience;
  for (;;) {
    const HANDLE handle = ::CreateFileW(lock_path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return std::make_unique<LockFile>(handle);
    const DWORD error = ::GetLastError();
    if (!IsBusy(error)) return std::make_unique<UpdateLock>();  // the write will say why
    if (std::chrono::steady_clock::now() >= give_up) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace orx::settings
