// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line, as a user types it: what each option does, and that help, version and
// mistakes never touch a display, a port or a file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "app/command_line.h"
#include "app/port_list.h"
#include "support/qt_printers.h"

namespace orx::testing {
namespace {

using app::Options;

Options Parse(QStringList arguments) {
  arguments.prepend("orx-frekvenca");
  return app::ParseCommandLine(arguments);
}

TEST(CommandLine, OptionsAndTheirValues) {
  EXPECT_EQ(Parse({}).action, Options::Action::kRun);
  EXPECT_EQ(Parse({"-h"}).action, Options::Action::kHelp);
  EXPECT_EQ(Parse({"--version"}).action, Options::Action::kVersion);
  EXPECT_EQ(Parse({"--list-ports"}).action, Options::Action::kListPorts);
  const Options run = Parse({"--port", "/dev-test/serial/by-id/usb-FTDI", "--settings=a/b.ini",
                             "--rigctld", "4532", "--rigctld-address", "0.0.0.0"});
  EXPECT_EQ(run.action, Options::Action::kRun);
  EXPECT_EQ(run.port, "/dev-test/serial/by-id/usb-FTDI");
  EXPECT_EQ(run.settings_file, "a/b.ini");
  EXPECT_EQ(run.rigctld_port, 4532);
  EXPECT_EQ(run.rigctld_address, QHostAddress(QHostAddress::AnyIPv4));
  EXPECT_EQ(Parse({"--rigctld", "65535"}).rigctld_port, 65535);
  EXPECT_EQ(Parse({"--rigctld", "1"}).rigctld_port, 1);
  for (const char* refused : {"0", "65536", "-1"})
    EXPECT_EQ(Parse({"--rigctld", refused}).action, Options::Action::kError) << refused;

  EXPECT_FALSE(run.rigctld_allow);
  const Options allowed =
      Parse({"--rigctld", "4532", "--rigctld-allow", "127.0.0.1, 192.168.1.0/24,fd00::/8"});
  ASSERT_EQ(allowed.action, Options::Action::kRun);
  ASSERT_TRUE(allowed.rigctld_allow);
  EXPECT_EQ(allowed.rigctld_allow->ToString(), "127.0.0.1,192.168.1.0/24,fd00::/8");
  // Empty, as a service's conf file may leave it: no list.
  const Options empty = Parse({"--rigctld", "4532", "--rigctld-allow", ""});
  EXPECT_EQ(empty.action, Options::Action::kRun);
  EXPECT_FALSE(empty.rigctld_allow);
}

TEST(CommandLine, TheWebPageItsAddressAndItsKey) {
  EXPECT_FALSE(Parse({}).web.port);
  const Options page = Parse({"--no-window", "--web", "8080", "--web-address", "0.0.0.0",
                              "--web-key-file", "k", "--web-new-key"});
  ASSERT_EQ(page.action, Options::Action::kRun) << page.error;
  EXPECT_EQ(page.web.port, 8080);
  EXPECT_EQ(page.web.address, QHostAddress(QHostAddress::AnyIPv4));
  EXPECT_EQ(page.web.key_file, "k");
  EXPECT_TRUE(page.web.new_key);
  const Options plain = Parse({"--web", "1"});
  EXPECT_EQ(plain.web.address, QHostAddress(QHostAddress::LocalHost));
  EXPECT_TRUE(plain.web.key_file.isEmpty());
  EXPECT_FALSE(plain.web.new_key);
  // As the service's conf file leaves it: no page, and its address is no mistake.
  const Options none =
      Parse({"--no-window", "--rigctld", "4532", "--web", "", "--web-address", ""});
  ASSERT_EQ(none.action, Options::Action::kRun) << none.error;
  EXPECT_FALSE(none.web.port);
  EXPECT_EQ(none.web.address, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(Parse({"--no-window", "--web", ""}).action, Options::Action::kError);

  struct Case {
    QStringList arguments;
    const char* named;
  };
  for (const Case& c :
       {Case{{"--web", "0"}, "--web potrebuje"}, Case{{"--web", "65536"}, "„65536“"},
        Case{{"--web", "8080", "--web-address", "phone"}, "„phone“"},
        Case{{"--web-address", "0.0.0.0"}, "--web-address velja le skupaj z --web"},
        Case{{"--web-key-file", "k"}, "--web-key-file velja le skupaj z --web"},
        Case{{"--web-new-key"}, "--web-new-key velja le skupaj z --web"},
        Case{{"--web", "8080", "--web-key-file", ""}, "--web-key-file potrebuje"},
        Case{{"--web"}, "--web potrebuje vrednost"}}) {
    const Options options = Parse(c.arguments);
    EXPECT_EQ(options.action, Options::Action::kError) << c.arguments.join(' ');
    EXPECT_TRUE(options.error.contains(c.named)) << options.error;
  }
}

TEST(CommandLine, MistakesNameWhatWasWrongOnOneLine) {
  struct Case {
    QStringList arguments;
    const char* named;
  };
  for (const Case& c :
       {Case{{"--bogus"}, "bogus"}, Case{{"--port"}, "--port"}, Case{{"--settings"}, "--settings"},
        Case{{"--port="}, "--port"}, Case{{"COM3"}, "COM3"}, Case{{"--rigctld", "0"}, "--rigctld"},
        Case{{"--rigctld", "70000"}, "--rigctld"}, Case{{"--rigctld-address", "::1"}, "--rigctld"},
        Case{{"--rigctld", "4532", "--rigctld-address", "radio"}, "„radio“"},
        Case{{"--rigctld", ""}, "ne „“"},
        Case{{"--rigctld", "4532", "--rigctld-address", ""}, "ne „“"},
        Case{{"--rigctld", "4532", "--rigctld-allow", "10.0.0.0/33"},
             "--rigctld-allow: „10.0.0.0/33“"},
        Case{{"--rigctld", "4532", "--rigctld-allow", "radio,::1"}, "--rigctld-allow: „radio“"},
        Case{{"--rigctld-allow", "127.0.0.1"}, "--rigctld-allow velja le skupaj z --rigctld"},
        Case{{"--rigctld", "4532", "--rigctld-allow"}, "--rigctld-allow potrebuje"}}) {
    const Options options = Parse(c.arguments);
    EXPECT_EQ(options.action, Options::Action::kError) << c.arguments.join(' ');
    EXPECT_TRUE(options.error.contains(c.named)) << options.error;
    EXPECT_TRUE(options.error.contains("--help")) << options.error;
    EXPECT_FALSE(options.error.contains('\n')) << options.error;
    EXPECT_FALSE(options.error.contains("  ")) << options.error;
  }
}

TEST(PortList, TheStableNameIsTheByIdLinkThatLeadsToTheDevice) {
  QTemporaryDir dev;
  const QString by_id = dev.filePath("serial/by-id");
  ASSERT_TRUE(QDir().mkpath(by_id));
  for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyACM0"}) {
    QFile file(dev.filePath(device));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(QFile::link("../../ttyUSB1", by_id + "/usb-FTDI_FT232R_A10K-if00-port0"));
  ASSERT_TRUE(QFile::link(dev.filePath("ttyACM0"), by_id + "/usb-Arduino_1234-if00"));
  EXPECT_EQ(app::StableNameOf(dev.filePath("ttyUSB1"), by_id),
            by_id + "/usb-FTDI_FT232R_A10K-if00-port0");
  EXPECT_EQ(app::StableNameOf(dev.filePath("ttyACM0"), by_id), by_id + "/usb-Arduino_1234-if00");
  EXPECT_EQ(app::StableNameOf(dev.filePath("ttyUSB0"), by_id), "");
  EXPECT_EQ(app::StableNameOf(dev.filePath("ttyUSB9"), by_id), "");  // gone: no match by accident

  // Whatever the system lists, every port comes with the name to give --port.
  for (const app::PortEntry& port : app::PresentPorts(by_id)) {
    EXPECT_FALSE(port.name.isEmpty());
    EXPECT_TRUE(port.stable_name.isEmpty() || port.stable_name.startsWith(by_id));
  }
}

TEST(PortList, OneLineAPortWithWhatIsKnown) {
  EXPECT_EQ(app::PortListText({}), QStringLiteral("Ni najdenih serijskih vrat.\n"));
  const QList<app::PortEntry> ports{
      {"/dev-test/ttyX0", "FT232R USB UART", "FTDI", "A10K", "/dev-test/serial/by-id/usb-FTDI"},
      {"/dev-test/ttyX1", "", "", "", ""}};
  EXPECT_EQ(app::PortListText(ports),
            QStringLiteral("/dev-test/ttyX0  FT232R USB UART  FTDI  serijska št. A10K  "
                           "/dev-test/serial/by-id/usb-FTDI\n/dev-test/ttyX1\n"));
}

// The real program, started as a user starts it from a terminal with no display.
struct ProgramRun {
  int exit_code = -1;
  QString out;
  QString err;
};

ProgramRun RunProgram(const QStringList& arguments, QProcessEnvironment environment) {
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(ORX_PROGRAM, arguments);
  program.waitForFinished(10000);
  return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
          QString::fromLocal8Bit(program.readAllStandardOutput()),
          QString::fromLocal8Bit(program.readAllStandardError())};
}

QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(name);
  return environment;
}

TEST(CommandLine, HelpVersionAndMistakesNeedNoDisplay) {
  const ProgramRun help = RunProgram({"--help"}, WithoutDisplay());
  EXPECT_EQ(help.exit_code, 0);
  for (const char* option : {"--port", "--settings", "--list-ports", "--version", "pll.ini"})
    EXPECT_TRUE(help.out.contains(option)) << option;

  const ProgramRun version = RunProgram({"-v"}, WithoutDisplay());
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_TRUE(version.out.startsWith("orx-frekvenca 1.")) << version.out.toStdString();

  for (const QStringList& mistake :
       {QStringList{"--bogus"}, QStringList{"--no-window", "--rigctld", "4532", "--rigctld-allow",
                                            "10.0.0.0/8,fd00::/200"}}) {
    const ProgramRun bad = RunProgram(mistake, WithoutDisplay());
    EXPECT_EQ(bad.exit_code, 2) << bad.err.toStdString();
    EXPECT_EQ(bad.err.count('\n'), 1) << bad.err.toStdString();
    EXPECT_TRUE(bad.out.isEmpty());
  }

  const ProgramRun no_display = RunProgram({"--port", "COM7"}, WithoutDisplay());
  EXPECT_EQ(no_display.exit_code, 1);
  EXPECT_EQ(no_display.err.count('\n'), 1) << no_display.err.toStdString();
  EXPECT_TRUE(no_display.err.contains("DISPLAY"));
}

// The options a manual page describes: the option lines of its second section (OPTIONS, or
// MOŽNOSTI in Slovenian), with roff's escaped hyphens made plain.
std::set<QString> OptionsOfManualPage(const QString& path) {
  QFile page(path);
  if (!page.open(QIODevice::ReadOnly)) return {};
  std::set<QString> options;
  int section = 0;
  bool item = false;
  for (QString line : QString::fromUtf8(page.readAll()).split('\n')) {
    if (line.startsWith(".SH")) ++section;
    if (section != 4) continue;  // NAME, SYNOPSIS, DESCRIPTION, then the options
    if (line == ".TP") {
      item = true;
      continue;
    }
    if (!item) continue;
    item = false;
    line.replace("\\-", "-");
    static const QRegularExpression kOption("(?<![\\w-])--?[a-z][a-z-]*");
    for (const auto& match : kOption.globalMatch(line)) options.insert(match.captured());
  }
  return options;
}

// Both manual pages, the English and the Slovenian, describe exactly the options of --help.
TEST(ManualPages, BothDescribeTheOptionsOfHelpAndNoOthers) {
  const ProgramRun help = RunProgram({"--help"}, WithoutDisplay());
  std::set<QString> helped;
  static const QRegularExpression kHelpLine("^  (-[a-z], )?(--[a-z-]+)");
  for (const QString& line : help.out.split(QChar(u'\n'))) {
    const auto match = kHelpLine.match(line);
    if (!match.hasMatch()) continue;
    if (match.capturedLength(1) > 0) helped.insert(match.captured(1).left(2));
    helped.insert(match.captured(2));
  }
  ASSERT_GE(helped.size(), 10u);
  for (const char* page : {"/../docs/orx-frekvenca.1", "/../docs/sl/orx-frekvenca.1"}) {
    EXPECT_EQ(OptionsOfManualPage(QStringLiteral(QT_TESTCASE_SOURCEDIR) + page), helped) << page;
  }
}

}  // namespace
}  // namespace orx::testing
