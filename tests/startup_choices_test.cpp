// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the settings live, which port is used, and what the user is told when it cannot be.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/startup_choices.h"
#include "link/posix_serial_device.h"
#include "settings/bas_ini_file.h"
#include "settings/settings_location.h"
#include "support/form_harness.h"
#include "ui/form_texts.h"

namespace orx::testing {
namespace {

// The program's name and a configuration folder of the test's own, for the test's length.
class UserConfiguration : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_name_ = QCoreApplication::applicationName();
    saved_config_ = qgetenv("XDG_CONFIG_HOME");
    QCoreApplication::setApplicationName("orx-frekvenca");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  }
  void TearDown() override {
    QCoreApplication::setApplicationName(saved_name_);
    if (saved_config_.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", saved_config_);
  }
  QString InConfig() const { return config.filePath("orx-frekvenca/pll.ini"); }

  QTemporaryDir config;
  QTemporaryDir program;

 private:
  QString saved_name_;
  QByteArray saved_config_;
};

TEST_F(UserConfiguration, SettingsBesideAWritableProgramOrAnExistingFile) {
  const QString beside = program.filePath("pll.ini");
  EXPECT_EQ(settings::LocateSettingsFile({}, program.path(), false).file, beside);
  EXPECT_EQ(settings::LocateSettingsFile("given.ini", program.path(), false).file,
            QDir::current().absoluteFilePath("given.ini"));
  EXPECT_EQ(settings::LocateSettingsFile({}, program.path(), false).folder_to_make, "");

  WriteBytes(beside, "[Freq]\nF1=1\n");
  Immutable locked(program.path());
  if (!locked.active()) GTEST_SKIP() << "chattr +i is not available here";
  EXPECT_EQ(settings::LocateSettingsFile({}, program.path(), false).file, beside);
}

TEST_F(UserConfiguration, AnInstalledCopyNeverLooksBesideItselfAndMakesItsFolderAtTheFirstWrite) {
  WriteBytes(program.filePath("pll.ini"), "[Freq]\nF1=9999\n");  // what root's run once left
  const auto location = settings::LocateSettingsFile({}, program.path(), true);
  EXPECT_EQ(location.file, InConfig());
  EXPECT_EQ(location.folder_to_make, config.filePath("orx-frekvenca"));

  FormHarness harness;
  harness.form = std::make_unique<ui::Form1>(ui::FormEnvironment{
      harness.link, location.file, [&](const QString& text) { harness.messages << text; },
      ui::kDefaultPortName, location.folder_to_make});
  auto& form = *harness.form;
  form.Form_Load();
  form.show();
  EXPECT_EQ(form.HScroll1->value(), 2000);
  EXPECT_FALSE(QFileInfo::exists(location.folder_to_make));  // a run that stores nothing
  QTest::mouseClick(form.Mem, Qt::LeftButton);
  QTest::mouseClick(form.MemN(2), Qt::LeftButton);
  EXPECT_TRUE(harness.messages.isEmpty());
  EXPECT_EQ(settings::basIniFile::ReadIni(location.file, "Freq", "F2", {}), "2000");
  EXPECT_EQ(ReadBytes(program.filePath("pll.ini")), "[Freq]\nF1=9999\n");

  // A pll.ini brought over from Windows works there as it is.
  WriteBytes(location.file, "[Freq]\r\nF1=7000\r\nF4=4400\r\n[Opombe]\r\nT4=Radio \x8aport\r\n");
  FormHarness next;
  next.folder_path = location.folder_to_make;
  auto& again = next.Load();
  EXPECT_EQ(again.HScroll1->value(), 7000);
  EXPECT_EQ(again.M(4)->ToolTipText(), QStringLiteral("Radio Šport"));
}

TEST_F(UserConfiguration, TheSystemsFoldersAndPrefixesWithTheDesktopEntryAreInstalled) {
  EXPECT_TRUE(settings::IsInstalledCopy("/usr/bin", "/usr/local/bin"));
  EXPECT_FALSE(settings::IsInstalledCopy(program.path(), "/usr/local/bin"));
  EXPECT_TRUE(settings::IsInstalledCopy(program.path(), program.path()));
  QTemporaryDir prefix;  // cmake --install --prefix ~/.local
  ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
  ASSERT_TRUE(QDir(prefix.path()).mkpath("share/applications"));
  EXPECT_FALSE(settings::IsInstalledCopy(prefix.filePath("bin"), "/usr/local/bin"));
  WriteBytes(prefix.filePath("share/applications/orx-frekvenca.desktop"), "");
  EXPECT_TRUE(settings::IsInstalledCopy(prefix.filePath("bin"), "/usr/local/bin"));
}

TEST_F(UserConfiguration, ARelativeXdgConfigHomeIsIgnoredAndAMissingHomeComesFromThePasswordFile) {
  EXPECT_EQ(settings::UserConfigurationFolder(), config.path());
  const QByteArray home = qgetenv("HOME");
  qputenv("XDG_CONFIG_HOME", "relative/config");
  qputenv("HOME", "/home-test/listener");
  EXPECT_EQ(settings::UserConfigurationFolder(), "/home-test/listener/.config");
  qunsetenv("HOME");
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(settings::UserConfigurationFolder(), QDir(entry->pw_dir).filePath(".config"));
  qputenv("HOME", "also/relative");
  EXPECT_EQ(settings::UserConfigurationFolder(), QDir(entry->pw_dir).filePath(".config"));
  qputenv("HOME", home);
}

TEST(PortChoice, TheOptionThenThePortKeyThenCom2) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  EXPECT_EQ(app::StartupChoices::PortName({}, ini), "COM2:");
  WriteBytes(ini, "[Nastavitve]\nPort=\n");
  EXPECT_EQ(app::StartupChoices::PortName({}, ini), "COM2:");
  WriteBytes(ini, "[Nastavitve]\nPort= COM5 \n");
  EXPECT_EQ(app::StartupChoices::PortName({}, ini), "COM5");
  EXPECT_EQ(app::StartupChoices::PortName("/dev-test/pts/9", ini), "/dev-test/pts/9");
}

TEST(PortChoice, TheChosenPortIsTheOneOpenedAndItsKeyIsNeverWritten) {
  FormHarness harness;
  harness.WriteIni("[Nastavitve]\nPort=/dev-test/serial/by-id/usb-FTDI-if00\n");
  harness.Create();
  harness.form.reset();
  harness.form = std::make_unique<ui::Form1>(
      ui::FormEnvironment{harness.link, harness.IniPath(), [](const QString&) {},
                          app::StartupChoices::PortName({}, harness.IniPath())});
  harness.form->Form_Load();
  harness.form->show();
  EXPECT_EQ(harness.device.OpenedName(), "/dev-test/serial/by-id/usb-FTDI-if00");
  EXPECT_EQ(harness.WordsOnWire().size(), 2u);
  harness.form->Exit_Click();
  EXPECT_EQ(harness.Setting("Nastavitve", "Port"), "/dev-test/serial/by-id/usb-FTDI-if00");
}

TEST(PortFailure, TheBoxSaysWhichDeviceAndWhy) {
  using link::OpenFailure;
  struct Case {
    OpenFailure failure;
    const char* reason;
  };
  for (const Case& c :
       {Case{OpenFailure::kMissing, "Naprava COM2 ne obstaja."},
        Case{OpenFailure::kBusy, "Naprava COM2 je zasedena (uporablja jo drug program)."},
        Case{OpenFailure::kPermission,
             "Ni dovoljenja za uporabo naprave COM2. Uporabnika dodajte v skupino dialout in se "
             "znova prijavite."},
        Case{OpenFailure::kOther, "Naprava COM2: Input/output error"}}) {
    FormHarness harness;
    harness.device.SetOpenFailure(c.failure, "Input/output error");
    harness.Load();
    EXPECT_EQ(harness.messages, QStringList{QStringLiteral("COM Interface Error\n") + c.reason});
  }
}

TEST(PortFailure, TheSystemsUsualReasonsAreSlovenian) {
  for (const int error : {ENOTTY, EIO, ENXIO, ENODEV, EACCES, EPERM, EBUSY, ENOENT, EROFS, ENOSPC,
                          EDQUOT, ETIMEDOUT}) {
    auto result = link::OpenResultFromErrno(error, "/dev-test/pts/9");
    result.failure = link::OpenFailure::kOther;  // the reason itself, not the short forms
    const QString text = ui::texts::PortFailure(result);
    EXPECT_TRUE(text.startsWith("Naprava /dev-test/pts/9: ")) << text.toStdString();
    EXPECT_FALSE(text.contains(QString::fromLocal8Bit(std::strerror(error)))) << text.toStdString();
  }
  auto rare = link::OpenResultFromErrno(EHWPOISON, "/dev-test/pts/9");
  EXPECT_EQ(ui::texts::PortFailure(rare),
            QString("Naprava /dev-test/pts/9: sistemska napaka %1 (%2)")
                .arg(EHWPOISON)
                .arg(QString::fromLocal8Bit(std::strerror(EHWPOISON))));
  EXPECT_EQ(ui::texts::PortFailure(link::OpenResultFromErrno(ENOTTY, "/dev-test/pts/9")),
            "Naprava /dev-test/pts/9: naprava ne sprejema ukazov za serijska vrata");
}

TEST(PortFailure, TheMessageAlsoGoesToStandardError) {
  QTemporaryDir folder;
  const QString captured = folder.filePath("stderr");
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  ASSERT_TRUE(std::freopen(QFile::encodeName(captured).constData(), "w", stderr));
  QTimer::singleShot(0, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  app::ReportingMessageBox()("COM Interface Error\nNaprava COM2 ne obstaja.");
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  EXPECT_TRUE(ReadBytes(captured).startsWith(
      "orx-frekvenca: COM Interface Error\nNaprava COM2 ne obstaja.\n"))
      << ReadBytes(captured).toStdString();
}

}  // namespace
}  // namespace orx::testing
