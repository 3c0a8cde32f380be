// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Replacing pll.ini on the platform's own calls: the same cases on Linux and, cross-built with
// MinGW, under Wine, where Windows refuses to move a file that is still open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/file_replacement.h"

namespace orx::testing {
namespace {

namespace fs = std::filesystem;

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("orx-replace-" +
              std::to_string(std::hash<std::string>{}(
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())) +
              "-" + std::to_string(++counter));
    fs::remove_all(folder);
    fs::create_directories(folder);
    target = folder / "pll.ini";
    Write(target, kOld);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    return names;
  }

  static inline int counter = 0;
  const std::string kOld = "[Freq]\r\nF1=7000\r\n";
  const std::string kNew = "[Freq]\r\nF1=7100\r\n[Opombe]\r\nT1=novo\r\n";
  fs::path folder;
  fs::path target;
};

TEST_F(FileReplacement, ReplacesTheFileAndLeavesNoTemporary) {
  EXPECT_FALSE(settings::ReplaceFile(target, kNew));
  EXPECT_EQ(Read(target), kNew);
  EXPECT_EQ(Entries(), std::vector<std::string>{"pll.ini"});
  const fs::path fresh = folder / "new.ini";
  EXPECT_FALSE(settings::ReplaceFile(fresh, kNew));
  EXPECT_EQ(Read(fresh), kNew);
}

TEST_F(FileReplacement, AFailedSyncOrMoveKeepsTheOldFileByteForByte) {
  const settings::ReplacementSteps failing[] = {
      {[] { return false; }, {}},
      {{}, [](const fs::path&, const fs::path&) { return false; }},
  };
  for (const auto& steps : failing) {
    EXPECT_TRUE(settings::ReplaceFile(target, kNew, steps));
    EXPECT_EQ(Read(target), kOld);
    EXPECT_EQ(Entries(), std::vector<std::string>{"pll.ini"});
  }
  EXPECT_TRUE(settings::ReplaceFile(folder / "missing" / "pll.ini", kNew));
}

TEST_F(FileReplacement, WorksWhileAnotherHandleReadsTheFile) {
  std::ifstream reader(target, std::ios::binary);
  ASSERT_TRUE(reader.is_open());
  EXPECT_FALSE(settings::ReplaceFile(target, kNew));
  EXPECT_EQ(Read(target), kNew);
  // Where the file can only be written in place, shorter content leaves nothing of the longer.
  EXPECT_FALSE(settings::ReplaceFile(target, kOld));
  EXPECT_EQ(Read(target), kOld);
  EXPECT_EQ(Entries(), std::vector<std::string>{"pll.ini"});
}

TEST_F(FileReplacement, ReadsRegularFilesWholeAndTellsAMissingOneApart) {
  const auto read = settings::ReadWholeFile(target);
  EXPECT_EQ(read.outcome, settings::FileRead::Outcome::kRead);
  EXPECT_EQ(read.bytes, kOld);
  EXPECT_EQ(settings::ReadWholeFile(folder / "none.ini").outcome,
            settings::FileRead::Outcome::kMissing);
  EXPECT_EQ(settings::ReadWholeFile(folder).outcome, settings::FileRead::Outcome::kFailed);
}

TEST_F(FileReplacement, TheUpdateLockIsExclusiveAndLeavesNothingBehind) {
  {
    const auto first = settings::LockForUpdate(target, std::chrono::milliseconds(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(settings::LockForUpdate(target, std::chrono::milliseconds(50)), nullptr);
  }
  // The wait given up above may hold it for a moment as it lets it go.
  EXPECT_NE(settings::LockForUpdate(target, std::chrono::milliseconds(1000)), nullptr);
  EXPECT_EQ(Entries(), std::vector<std::string>{"pll.ini"});
}

}  // namespace
}  // namespace orx::testing
