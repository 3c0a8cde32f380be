// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pll.ini against what a careless user or a hostile machine puts in its place: links, FIFOs,
// devices, huge files, another owner, a second copy writing at once, a file that cannot be read.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "settings/bas_ini_file.h"
#include "settings/native_path.h"
#include "settings/pll_ini.h"
#include "settings/settings_location.h"
#include "support/form_harness.h"
#include "support/temp_file.h"
#include "ui/form_texts.h"

namespace orx::testing {
namespace {

using settings::basIniFile::ReadIni;
using settings::basIniFile::WriteIni;

QByteArray Native(const QString& path) {
  return QFile::encodeName(path);
}

struct stat StatusOf(const QString& path) {
  struct stat status {};
  lstat(Native(path).constData(), &status);
  return status;
}

TEST(SettingsPath, ASymbolicLinkStaysALinkAndItsTargetGetsTheValue) {
  QTemporaryDir home;
  ASSERT_TRUE(QDir(home.path()).mkdir("dotfiles"));
  const QString target = home.filePath("dotfiles/pll.ini");
  const QString link = home.filePath("pll.ini");
  WriteBytes(target, "[Freq]\nF1=7000\n");
  ASSERT_TRUE(QFile::link("dotfiles/pll.ini", link));
  ASSERT_TRUE(WriteIni(link, "Freq", "F2", "9000"));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadBytes(target), "[Freq]\nF1=7000\nF2=9000\n");
  EXPECT_EQ(QDir(home.filePath("dotfiles")).entryList(QDir::Files | QDir::Hidden),
            QStringList{"pll.ini"});
  EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pll.ini"});
}

TEST(SettingsPath, WhatIsNotARegularFileIsNeverBlockedOnReadWhollyOrReplaced) {
  QTemporaryDir folder;
  const QString fifo = folder.filePath("fifo.ini");
  ASSERT_EQ(mkfifo(Native(fifo).constData(), 0644), 0);
  const QString socket_path = folder.filePath("socket.ini");
  const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, Native(socket_path).constData(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const QString huge = folder.filePath("huge.ini");
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Freq]\nF1=7000\n");
    ASSERT_TRUE(file.resize(65 << 20));  // sparse: no room taken
  }
  QElapsedTimer timer;
  timer.start();
  for (const QString& path :
       {fifo, socket_path, folder.path(), QStringLiteral("/dev/zero"), huge}) {
    const auto before = StatusOf(path);
    EXPECT_EQ(ReadIni(path, "Freq", "F1", "d"), "d") << path.toStdString();
    if (path.startsWith("/dev/")) continue;  // never written, not even to prove it
    EXPECT_FALSE(WriteIni(path, "Freq", "F1", "1")) << path.toStdString();
    const auto after = StatusOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino) << path.toStdString();
    EXPECT_EQ(after.st_mode, before.st_mode) << path.toStdString();
  }
  EXPECT_LT(timer.elapsed(), 3000);
  close(listening);
  const auto entries =
      QDir(folder.path())
          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  EXPECT_EQ(entries, (QStringList{"fifo.ini", "huge.ini", "socket.ini"}));
}

// Beyond what 32 bits count (armhf), a file is too large as any other: the same words, and
// never written over.
TEST(SettingsSafety, AFileBeyondFourGibibytesIsTooLargeAsASmallerOneIs) {
  QTemporaryDir folder;
  const auto make = [&](const QString& name, qint64 size) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Freq]\nF1=7000\n");
    EXPECT_TRUE(file.resize(size));  // sparse: no room taken
    return path;
  };
  const QString large = make("large.ini", qint64{65} << 20);
  const QString beyond = make("beyond.ini", (qint64{5} << 30) + 1);
  const auto refusal = [](const QString& path) {
    return ui::texts::WriteFailed(QStringLiteral("pll.ini"),
                                  settings::basIniFile::WriteIniKeys(path, {{"Freq", "F1", "1"}}))
        .toStdString();
  };
  EXPECT_EQ(refusal(beyond), refusal(large));
  EXPECT_EQ(settings::basIniFile::ReadIniFile(beyond).error_number,
            settings::basIniFile::ReadIniFile(large).error_number);
  EXPECT_EQ(QFileInfo(beyond).size(), (qint64{5} << 30) + 1);
}

TEST(SettingsPath, ANameFromTheCommandLineKeepsItsBytesEvenWhenNotUtf8) {
  QTemporaryDir folder;
  const QByteArray latin2 = Native(folder.path()) + "/pll-\xe8.ini";  // "pll-č.ini" in Latin-2
  const auto options = app::ParseCommandLine(
      {"orx-frekvenca", "--settings", settings::FileNameFromArgument(latin2.constData())});
  const QString file =
      settings::LocateSettingsFile(options.settings_file, folder.path(), false).file;
  ASSERT_TRUE(WriteIni(file, "Freq", "F1", "7000"));
  EXPECT_EQ(ReadIni(file, "Freq", "F1", {}), "7000");
  struct stat status {};
  EXPECT_EQ(stat(latin2.constData(), &status), 0);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Native(folder.path()).toStdString()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"pll-\xe8.ini"});
}

TEST(SettingsOwner, AWriteAsRootLeavesTheFileItsOwnersWithItsMode) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root";
  QTemporaryDir folder;
  const QString path = folder.filePath("pll.ini");
  WriteBytes(path, "[Freq]\nF1=7000\n");
  ASSERT_EQ(chown(Native(path).constData(), 65534, 65534), 0);
  ASSERT_EQ(chmod(Native(path).constData(), 0640), 0);
  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7100"));
  const auto status = StatusOf(path);
  EXPECT_EQ(status.st_uid, 65534u);
  EXPECT_EQ(status.st_gid, 65534u);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(SettingsConcurrency, TwoCopiesWritingAtOnceLoseNothing) {
  QTemporaryDir folder;
  const QString path = folder.filePath("pll.ini");
  WriteBytes(path, "[Freq]\nF1=7000\n");
  QProcess first;
  QProcess second;
  first.start(ORX_TEST_CHILD, {"write-keys", path, "A", "200"});
  second.start(ORX_TEST_CHILD, {"write-keys", path, "B", "200"});
  ASSERT_TRUE(first.waitForFinished(60000));
  ASSERT_TRUE(second.waitForFinished(60000));
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_EQ(second.exitCode(), 0);
  const auto file = settings::basIniFile::ReadIniFile(path);
  int missing = 0;
  for (int i = 1; i <= 200; ++i) {
    for (const char* prefix : {"A", "B"}) {
      missing += file.document.Value("Freq", prefix + QString::number(i)) != QString::number(i);
    }
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(file.document.Value("Freq", "F1"), "7000");
}

// A copy on a slow card (each save held some 200 ms) saves one value after another; a copy
// beside it gets its turn between two of them, rather than waiting for a moment nobody holds
// the file, and saves everything.
TEST(SettingsConcurrency, ACopyBesideASlowOneSavingWithoutPauseGetsItsTurn) {
  QTemporaryDir folder;
  const QString path = folder.filePath("pll.ini");
  WriteBytes(path, "[Freq]\nF1=7000\n");
  QProcess slow;
  QProcessEnvironment slowed = QProcessEnvironment::systemEnvironment();
  slowed.insert("LD_PRELOAD", ORX_FAILING_CALLS);
  slowed.insert("ORX_FAIL", "slow-sync");
  slowed.insert("ORX_FAIL_MS", "100");
  // A sanitized child would otherwise insist on its own runtime coming first.
  slowed.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
  slow.setProcessEnvironment(slowed);
  slow.start(ORX_TEST_CHILD, {"write-keys", path, "S", "30"});
  ASSERT_TRUE(slow.waitForStarted());
  QTest::qWait(300);  // well into its saves
  QProcess quick;
  quick.start(ORX_TEST_CHILD, {"write-keys", path, "Q", "10"});
  ASSERT_TRUE(quick.waitForFinished(60000));
  EXPECT_EQ(quick.exitCode(), 0) << "a save gave up while the slow copy saved";
  EXPECT_EQ(slow.state(), QProcess::Running) << "the slow copy was done before the test began";
  ASSERT_TRUE(slow.waitForFinished(60000));
  EXPECT_EQ(slow.exitCode(), 0);
  const auto file = settings::basIniFile::ReadIniFile(path);
  for (int i = 1; i <= 30; ++i) {
    for (const char* prefix : {"S", "Q"}) {
      if (*prefix == 'Q' && i > 10) continue;
      EXPECT_EQ(file.document.Value("Freq", prefix + QString::number(i)), QString::number(i))
          << prefix << i;
    }
  }
}

TEST(SettingsAtStartUp, AFileThatCannotBeReadIsReportedAndNeverWrittenOver) {
  FormHarness harness;
  ASSERT_TRUE(QDir(harness.folder_path).mkdir("pll.ini"));  // stands for EIO: exists, won't read
  auto& form = harness.Load();
  ASSERT_EQ(harness.messages.size(), 1);
  EXPECT_TRUE(harness.messages[0].startsWith("Branje datoteke pll.ini ni uspelo.\n" +
                                             harness.IniPath() + ": "))
      << harness.messages[0].toStdString();
  form.show();
  form.Exit_Click();
  ASSERT_EQ(harness.messages.size(), 2);
  EXPECT_TRUE(harness.messages[1].contains("niso shranjene")) << harness.messages[1].toStdString();
  EXPECT_TRUE(QFileInfo(harness.IniPath()).isDir());
}

TEST(SettingsAtExit, IzhodWritesTheSameBytesAsKeyByKeyInOneReplacement) {
  const QByteArray start =
      "; ročno urejena\r\n[Freq]\r\nF1=7000\r\nF3=3300\r\n[Opombe]\r\nT2=Val 202\r\n";
  FormHarness harness;
  harness.WriteIni(start);
  auto& form = harness.Load();
  form.show();
  QTest::mouseClick(form.M(3), Qt::LeftButton);
  const auto before = StatusOf(harness.IniPath());
  form.Exit_Click();
  EXPECT_TRUE(harness.messages.isEmpty());
  EXPECT_NE(StatusOf(harness.IniPath()).st_ino, before.st_ino);

  QTemporaryDir other;
  const QString expected = other.filePath("pll.ini");
  WriteBytes(expected, start);
  for (int n = 1; n <= 16; ++n)
    WriteIni(expected, "Nastavitve", QString("M%1").arg(n), n == 3 ? "True" : "False");
  WriteIni(expected, "Nastavitve", "min", "0");
  WriteIni(expected, "Nastavitve", "max", "24000");
  for (int n = 1; n <= 16; ++n)
    WriteIni(expected, "Opombe", QString("T%1").arg(n), n == 2 ? "Val 202" : "");
  EXPECT_EQ(harness.IniBytes(), ReadBytes(expected));
}

}  // namespace
}  // namespace orx::testing
