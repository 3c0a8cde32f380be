// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_replacement.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "file_replacement_platform.h"

namespace orx::settings {

namespace fs = std::filesystem;

namespace {

const std::string kTemporaryMark = ".orx-save-";
// Younger temporaries may belong to a second copy of the program that is saving right now.
constexpr auto kStaleAfter = std::chrono::seconds(60);

bool IsLetterOrDigit(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

void RemoveStaleTemporaries(const fs::path& target) {
  std::error_code error;
  const auto stale_before = fs::file_time_type::clock::now() - kStaleAfter;
  for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
    std::error_code entry_error;
    if (!IsOurTemporary(entry.path(), target) || !entry.is_regular_file(entry_error) ||
        entry.is_symlink(entry_error)) {
      continue;
    }
    const auto modified = entry.last_write_time(entry_error);
    if (!entry_error && modified < stale_before) fs::remove(entry.path(), entry_error);
  }
}

}  // namespace

std::string platform::RandomPart() {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
  std::string part;
  for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) part += kAlphabet[pick(generator)];
  return part;
}

std::string TemporaryPrefix(const fs::path& target) {
  // Appended rather than "." + name: GCC 12 warns falsely (-Wrestrict) of that form at -O2.
  std::string prefix = ".";
  prefix += target.filename().string();
  prefix += kTemporaryMark;
  return prefix;
}

bool IsOurTemporary(const fs::path& candidate, const fs::path& target) {
  const std::string name = candidate.filename().string();
  const std::string prefix = TemporaryPrefix(target);
  return name.size() == prefix.size() + kTemporaryRandomLength && name.starts_with(prefix) &&
         std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     IsLetterOrDigit);
}

fs::path ReplacementTarget(const fs::path& path) {
  fs::path target = fs::absolute(path);
  // A chain of links ends at the file the user keeps; a loop ends the search where it is.
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) break;
    const fs::path next = fs::read_symlink(target, error);
    if (error) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
    target = target.lexically_normal();
  }
  return target;
}

std::error_code ReplaceFile(const fs::path& path, std::string_view bytes,
                            const ReplacementSteps& steps) {
  const fs::path target = ReplacementTarget(path);
  std::error_code error;
  const auto status = fs::status(target, error);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status))
    return std::make_error_code(std::errc::invalid_argument);

  auto temporary = platform::CreateTemporaryBeside(target, error);
  if (!temporary) return error;
  // Every step is checked: a short write, a failed flush or sync means a full disk or a failing
  // device, and then the old file must stay.
  error = temporary->Write(bytes);
  if (!error) {
    if (steps.sync && !steps.sync())
      error = std::make_error_code(std::errc::io_error);
    else if (!steps.sync)
      error = temporary->Sync();
  }
  if (!error && exists) error = temporary->TakeAttributesOf(target);
  const std::error_code closed = temporary->Close();
  if (!error) error = closed;
  if (!error) {
    if (steps.commit)
      error = steps.commit(temporary->Path(), target) ? std::error_code()
                                                      : std::make_error_code(std::errc::io_error);
    else
      error = platform::Commit(temporary->Path(), target);
  }
  if (error) {
    std::error_code ignored;
    fs::remove(temporary->Path(), ignored);
    return error;
  }
  platform::SyncFolder(target.parent_path());
  RemoveStaleTemporaries(target);
  return {};
}

}  // namespace orx::settings
