// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a full disk, a failed rename, a killed run and a read-only file do to pll.ini: never
// lose a byte of it, and say so when a value did not get in.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <filesystem>

#include "settings/bas_ini_file.h"
#include "settings/file_replacement.h"
#include "settings/native_path.h"
#include "settings/pll_ini.h"
#include "support/temp_file.h"
#include "ui/form_texts.h"

namespace orx::testing {
namespace {

using settings::basIniFile::WriteIni;

class SettingsFaults : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(path, original); }
  QStringList FolderEntries() const {
    return QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
  }
  // Runs one WriteIni in a child whose files may not grow past `limit` bytes, as on a disk
  // with that much room left.
  int WriteInChildWithFileSizeLimit(rlim_t limit, const QString& value,
                                    QString* message = nullptr) {
    QProcess child;
    child.setChildProcessModifier([limit] {
      std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
      const rlimit size{limit, limit};
      setrlimit(RLIMIT_FSIZE, &size);
    });
    child.start(ORX_TEST_CHILD, {"write-ini", path, "Opombe", "T1", value});
    child.waitForFinished();
    if (message) *message = QString::fromUtf8(child.readAllStandardError());
    return child.exitCode();
  }

  QTemporaryDir folder;
  QString path = settings::SettingsFilePath(folder.path());
  QByteArray original = "[Freq]\nF1=7000\nF2=9000\n[Opombe]\nT1=staro\n";
};

TEST_F(SettingsFaults, AFullDiskLeavesTheOldFileByteForByte) {
  for (rlim_t room : {rlim_t{0}, rlim_t{16}, static_cast<rlim_t>(original.size())}) {
    EXPECT_EQ(WriteInChildWithFileSizeLimit(room, QString(200, u'x')), 3) << room;
    EXPECT_EQ(ReadBytes(path), original) << room;
    EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"}) << room;
  }
  EXPECT_EQ(WriteInChildWithFileSizeLimit(4096, "novo"), 0);  // room enough: written
  EXPECT_EQ(settings::basIniFile::ReadIni(path, "Opombe", "T1", {}), "novo");
}

TEST_F(SettingsFaults, AFailedSyncOrCommitLeavesTheOldFileAndNoTemporary) {
  std::filesystem::path seen_temporary;
  const settings::ReplacementSteps failing_sync{[] { return false; }, {}};
  const settings::ReplacementSteps failing_commit{
      {}, [&](const std::filesystem::path& temporary, const std::filesystem::path&) {
        seen_temporary = temporary;
        return false;
      }};
  for (const auto& steps : {failing_sync, failing_commit}) {
    EXPECT_TRUE(settings::ReplaceFile(settings::NativePath(path), "[Freq]\nF1=1\n", steps));
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
  }
  EXPECT_TRUE(seen_temporary.filename().string().starts_with(".pll.ini.orx-save-"));
}

// The system's own fdatasync fails in the child, as on a failing disk: the unconfirmed file
// never takes the old one's place, and the user is told why.
// Runs one WriteIni in a child in which the system call that `fault` names fails (see
// support/failing_calls.cpp); gives its exit status and what it said.
std::pair<int, QString> WriteInChildWith(const char* fault, const QString& path) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LD_PRELOAD", ORX_FAILING_CALLS);
  environment.insert("ORX_FAIL", fault);
  // A sanitized child would otherwise insist on its own runtime coming first.
  environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
  child.setProcessEnvironment(environment);
  child.start(ORX_TEST_CHILD, {"write-ini", path, "Opombe", "T1", "novo"});
  if (!child.waitForFinished(10000)) return {-1, {}};
  return {child.exitCode(), QString::fromUtf8(child.readAllStandardError())};
}

TEST_F(SettingsFaults, ASyncTheSystemFailsNeverReplacesTheFile) {
  const auto [status, said] = WriteInChildWith("sync", path);
  EXPECT_EQ(status, 3);
  EXPECT_EQ(said, "Zapisovanje v datoteko pll.ini ni uspelo.\n" + path +
                      ": vhodno-izhodna napaka naprave");
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
}

// The new file's mode cannot be given: a file system that has no modes says ENOSYS (FAT through
// FUSE), EPERM (vfat) or ENOTSUP, and the save goes through; any other failure means the mode would
// be lost, and the old file stays.
TEST_F(SettingsFaults, AModeTheFileSystemCannotKeepIsNoFailureButAFailingChmodIs) {
  const auto [refused, said] = WriteInChildWith("chmod-eio", path);
  EXPECT_EQ(refused, 3);
  EXPECT_TRUE(said.endsWith(": vhodno-izhodna napaka naprave")) << said.toStdString();
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
  for (const char* no_modes : {"chmod-enosys", "chmod-eperm", "chmod-enotsup"}) {
    WriteBytes(path, original);
    const auto [saved, nothing] = WriteInChildWith(no_modes, path);
    EXPECT_EQ(saved, 0) << no_modes << ": " << nothing.toStdString();
    EXPECT_EQ(settings::basIniFile::ReadIni(path, "Opombe", "T1", {}), "novo") << no_modes;
  }
}

// A user who is not root, run for real (setpriv): root's pll.ini, 0644, is not his to replace,
// even in a folder where he may create files and so could rename one over it.
TEST_F(SettingsFaults, AnotherUsersReadOnlyFileIsNeverReplacedByAnUnprivilegedUser) {
  if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
    GTEST_SKIP() << "needs root and setpriv to run a child as another user";
  const QString child_program = ORX_TEST_CHILD;
  for (const mode_t folder_mode : {0777, 0755}) {
    ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), folder_mode), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0644), 0);
    QProcess child;
    child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", child_program,
                            "write-ini", path, "Opombe", "T1", "tuje"});
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitCode(), 3) << child.readAllStandardError().toStdString();
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
  }
  // The same user may save a file that is his, in a folder where he may create its successor.
  ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
  ASSERT_EQ(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
  QProcess owner;
  owner.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", child_program,
                          "write-ini", path, "Opombe", "T1", "moje"});
  ASSERT_TRUE(owner.waitForFinished(10000));
  EXPECT_EQ(owner.exitCode(), 0) << owner.readAllStandardError().toStdString();
  EXPECT_EQ(settings::basIniFile::ReadIni(path, "Opombe", "T1", {}), "moje");
}

TEST_F(SettingsFaults, StaleTemporariesOfOurOwnGoAtTheNextWriteAndNothingElseDoes) {
  const QString stale = folder.filePath(".pll.ini.orx-save-AbC123");
  const QString fresh = folder.filePath(".pll.ini.orx-save-XyZ789");
  // Everything else is as old as the stale one: only the name may tell them apart. The
  // program itself may lie beside pll.ini.
  const QStringList others = {"pll.ini.AbC123",
                              ".other.ini.orx-save-AbC123",
                              "pll.ini~",
                              ".PLL.INI.ORX-SAVE-QWERTY",
                              ".pll.ini.orx-save-ab\ncd1",
                              ".pll.ini.orx-save-AbC1234",
                              "orx-frekvenca",
                              "orx-frekvenca.exe"};
  for (const QString& file : QStringList{stale, fresh}) WriteBytes(file, "x");
  for (const QString& name : others) WriteBytes(folder.filePath(name), "x");
  const QStringList aged = QStringList(others) << QFileInfo(stale).fileName();
  for (const QString& name : aged) {
    QFile old_file(folder.filePath(name));
    ASSERT_TRUE(old_file.open(QIODevice::ReadWrite));
    old_file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                         QFileDevice::FileModificationTime);
  }

  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7100"));
  EXPECT_FALSE(QFile::exists(stale));
  EXPECT_TRUE(QFile::exists(fresh));  // may be another copy of the program saving right now
  for (const QString& name : others)
    EXPECT_TRUE(QFile::exists(folder.filePath(name))) << name.toStdString();
}

TEST_F(SettingsFaults, AFileWithNoWritePermissionIsRefusedForEveryUserAndKeepsItsMode) {
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  EXPECT_FALSE(WriteIni(path, "Freq", "F1", "1"));
  EXPECT_EQ(ReadBytes(path), original);
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(path).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0444u);
}

// A file nobody may write is refused at once, even while another copy of the program holds
// the folder for a save: the user is told why, not kept waiting for a turn that changes nothing.
TEST_F(SettingsFaults, AWriteProtectedFileIsRefusedAtOnceEvenWhileAnotherCopySaves) {
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const auto other_copy = settings::LockForUpdate(
      settings::ReplacementTarget(settings::NativePath(path)), std::chrono::milliseconds(0));
  ASSERT_NE(other_copy, nullptr);
  QElapsedTimer waited;
  waited.start();
  const auto written = settings::basIniFile::WriteIniKeys(path, {{"Freq", "F1", "1"}});
  EXPECT_EQ(written.failure, settings::basIniFile::IniWrite::Failure::kWriteProtected);
  EXPECT_LT(waited.elapsed(), 1000);
  EXPECT_EQ(ReadBytes(path), original);
}

mode_t ModeOf(const QString& path) {
  struct stat status {};
  return stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(SettingsFaults, AWriteKeepsTheFilesModeAndANewFileGets0666LessTheUmask) {
  for (const mode_t mode : {0600, 0644, 0664, 0660}) {
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
    ASSERT_TRUE(WriteIni(path, "Freq", "F1", "1"));
    EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
  }
  for (const mode_t mask : {022, 002, 077}) {
    const QString fresh = folder.filePath(QStringLiteral("new-%1.ini").arg(mask));
    const mode_t saved = umask(mask);
    const bool written = WriteIni(fresh, "Freq", "F1", "1");
    umask(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(fresh), 0666 & ~mask) << std::oct << mask;
  }
}

// The message of every failed save names the file and says why.
TEST_F(SettingsFaults, EveryFailedSaveSaysWhichFileAndWhy) {
  const auto message = [](const QString& file, const std::vector<settings::KeyValue>& values) {
    return ui::texts::WriteFailed(file, settings::basIniFile::WriteIniKeys(file, values));
  };
  const QString head = QStringLiteral("Zapisovanje v datoteko pll.ini ni uspelo.\n");
  const QString nowhere = folder.filePath("nowhere/pll.ini");
  EXPECT_EQ(message(nowhere, {{"Freq", "F1", "1"}}),
            head + nowhere + ": datoteka ali naprava ne obstaja");
  EXPECT_EQ(message(path, {{"Opombe", "T1", "dve\nvrstici"}}),
            head + path + ": vrednosti z novo vrstico ni mogoče shraniti");
  const QString folder_instead = folder.filePath("mapa.ini");
  ASSERT_TRUE(QDir(folder.path()).mkdir("mapa.ini"));
  EXPECT_EQ(message(folder_instead, {{"Freq", "F1", "1"}}),
            head + folder_instead + ": to ni navadna datoteka");
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
  EXPECT_EQ(message(path, {{"Freq", "F1", "1"}}),
            head + path + ": datoteka je zaščitena pred pisanjem ali pa ni dovoljenja zanjo");
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

  QString said;
  EXPECT_EQ(WriteInChildWithFileSizeLimit(original.size() + 4, QString(200, 'x'), &said), 3);
  EXPECT_EQ(said, head + path + ": datoteka bi presegla največjo velikost, ki jo sistem dovoli");
  EXPECT_EQ(ReadBytes(path), original);
}

// Another copy keeps the file for longer than a save waits: the save says so and changes
// nothing, and once that copy is done, the next save goes through.
TEST_F(SettingsFaults, ASaveThatGivesUpOnAnotherCopySaysSoAndChangesNothing) {
  const int other = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);  // as another copy saving holds it
  QElapsedTimer waited;
  waited.start();
  const auto refused = settings::basIniFile::WriteIniKeys(path, {{"Freq", "F3", "3500"}});
  EXPECT_GE(waited.elapsed(), 2900);
  EXPECT_EQ(ui::texts::WriteFailed(path, refused),
            "Zapisovanje v datoteko pll.ini ni uspelo.\n" + path +
                ": drug izvod programa jo predolgo shranjuje");
  EXPECT_EQ(ReadBytes(path), original);
  ::close(other);
  // The save that gave up waits no longer either: a moment later, the file is free.
  QTest::qWait(200);
  waited.restart();
  EXPECT_TRUE(WriteIni(path, "Freq", "F3", "3500"));
  EXPECT_LT(waited.elapsed(), 1000);
  EXPECT_EQ(settings::basIniFile::ReadIni(path, "Freq", "F3", {}), "3500");
}

// A lock that looked taken and then cannot be waited for (a network share's lock service gave
// out) coordinates nothing: the save goes through at once, as on a share without locks.
TEST_F(SettingsFaults, ALockThatCannotBeWaitedForIsNoReasonToLoseTheSave) {
  QElapsedTimer waited;
  waited.start();
  const auto [status, said] = WriteInChildWith("lock-enolck", path);
  EXPECT_EQ(status, 0) << said.toStdString();
  EXPECT_LT(waited.elapsed(), 2500);
  EXPECT_EQ(settings::basIniFile::ReadIni(path, "Opombe", "T1", {}), "novo");
  EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
}

// FAT, as a dual-boot user shares pll.ini with Windows (fusefat): the file system has no Unix
// modes or owners and refuses to set them, and the save must go through all the same.
class FatFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("fusefat").isEmpty() ||
        QStandardPaths::findExecutable("mkfs.fat").isEmpty() || !QFile::exists("/dev/fuse"))
      GTEST_SKIP() << "needs fusefat, dosfstools and /dev/fuse (tools/test installs them)";
    const QString image = folder.filePath("fat.img");
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(4 << 20));
    file.close();
    ASSERT_EQ(Quiet("mkfs.fat", {image}), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir("mnt"));
    if (Quiet("fusefat", {"-o", "rw+", image, mount}) != 0)
      GTEST_SKIP() << "a FUSE file system cannot be mounted here";
    mounted = true;
  }
  void TearDown() override {
    if (mounted && Quiet("fusermount", {"-u", mount}) != 0) Quiet("umount", {mount});
  }
  static int Quiet(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  QTemporaryDir folder;
  QString mount = folder.filePath("mnt");
  bool mounted = false;
};

TEST_F(FatFileSystem, ASaveWhereTheFileSystemCannotKeepModesOrOwnersGoesThrough) {
  const QString path = settings::SettingsFilePath(mount);
  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7000"));  // a new file
  // Replacing it asks for the old file's mode and owner, which FAT cannot give.
  const auto written = settings::basIniFile::WriteIniKeys(
      path, {{"Freq", "F2", "9000"}, {"Opombe", "T2", QStringLiteral("Čakovec")}});
  EXPECT_TRUE(written) << ui::texts::WriteFailed(path, written).toStdString();
  EXPECT_EQ(ReadBytes(path),
            "[Freq]\nF1=7000\nF2=9000\n[Opombe]\nT2=\xc8"
            "akovec\n");
}

}  // namespace
}  // namespace orx::testing
