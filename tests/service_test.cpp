// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The receiver as a service: no display, tuned by Hamlib's own client through the control port,
// ended by a signal after the word in progress, never writing pll.ini; and the band and the
// frequency it starts on, the window's own.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "settings/bas_ini_file.h"
#include "support/form_harness.h"
#include "support/loopback.h"

namespace orx::testing {
namespace {

using Operation = link::RecordingLineDevice::Operation;

QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(variable);
  return environment;
}

// Starts the service child on `ini` and gives the control port it announced, or 0.
quint16 StartService(QProcess& service, const QString& ini, const QString& events) {
  service.setProcessEnvironment(WithoutDisplay());
  service.start(ORX_TEST_CHILD, {"service", ini, events});
  if (!service.waitForReadyRead(10000)) {
    ADD_FAILURE() << service.readAllStandardError().toStdString();
    return 0;
  }
  const QByteArray announced = service.readLine().trimmed();
  EXPECT_TRUE(announced.startsWith("port ")) << announced.toStdString();
  return static_cast<quint16>(announced.mid(5).toUInt());
}

TEST(Service, StartsWithNoDisplayIsTunedByRigctlAndEndsCleanOnSigterm) {
  if (QStandardPaths::findExecutable("rigctl").isEmpty()) GTEST_SKIP() << "no rigctl here";
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  const QByteArray settings =
      "[Freq]\nF1=1000\nF3=3300\n[Nastavitve]\nM3=True\nmin=500\nmax=20000\n[Opombe]\nT3=x\n";
  WriteBytes(ini, settings);
  QProcess service;
  const quint16 port = StartService(service, ini, folder.filePath("events"));
  ASSERT_NE(port, 0);
  const QString address = QString("127.0.0.1:%1").arg(port);

  const auto rigctl = [&address](const QStringList& command) {
    QProcess client;
    client.start("rigctl", QStringList{"-m", "2", "-r", address} + command);
    client.waitForFinished(15000);
    return QString::fromLocal8Bit(client.readAllStandardOutput()).trimmed();
  };
  EXPECT_EQ(rigctl({"f"}), "3300000");
  EXPECT_EQ(rigctl({"F", "7000000"}), "");
  EXPECT_EQ(rigctl({"f"}), "7000000");
  EXPECT_EQ(rigctl({"F", "25000000"}).contains("Invalid"), true);  // outside the band

  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(5000));
  EXPECT_EQ(service.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(service.exitCode(), 0);

  std::vector<Event> events;
  for (const QByteArray& line : ReadBytes(folder.filePath("events")).split('\n')) {
    const auto fields = line.split(' ');
    if (fields.size() == 4)
      events.push_back({fields[0].toDouble(), static_cast<Operation>(fields[1].toInt()),
                        fields[2] == "1", fields[3] == "1"});
  }
  EXPECT_EQ(WordsOf(ReceiveWords(events)), (std::vector<uint16_t>{0x8505, 3312, 7012}));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().operation, Operation::kClose);
  EXPECT_EQ(ReadBytes(ini), settings);
}

// Real frames on the real clock, 70 ms a word: one client pipelines forty tunings, and another
// client's reading is still answered within about a frame, and its tuning goes out in turn.
TEST(Service, AClientPipeliningTuningsHoldsNoOtherOnTheRealClock) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=1000\n[Nastavitve]\nmin=100\nmax=30000\n");
  QProcess service;
  const quint16 port = StartService(service, ini, folder.filePath("events"));
  ASSERT_NE(port, 0);

  const int busy = LoopbackConnection(port, {0, 5});
  const int other = LoopbackConnection(port, {0, 5});
  ASSERT_GE(busy, 0);
  ASSERT_GE(other, 0);
  QByteArray tunings;
  for (int k = 1; k <= 40; ++k) tunings += "F " + QByteArray::number((2000 + k) * 1000) + "\n";
  ASSERT_EQ(send(busy, tunings.constData(), tunings.size(), MSG_NOSIGNAL), tunings.size());
  EXPECT_EQ(ReadLine(busy), "RPRT 0");  // its first word is out, and more are under way

  QElapsedTimer waited;
  waited.start();
  ASSERT_EQ(send(other, "f\n", 2, MSG_NOSIGNAL), 2);
  const QByteArray read = ReadLine(other);
  const auto read_ms = waited.elapsed();
  EXPECT_TRUE(read.startsWith("20")) << read.toStdString();
  EXPECT_LT(read_ms, 400) << "a reading waited behind the other client's tunings";
  waited.restart();
  ASSERT_EQ(send(other, "F 9000000\n", 10, MSG_NOSIGNAL), 10);
  EXPECT_EQ(ReadLine(other), "RPRT 0");
  EXPECT_LT(waited.elapsed(), 600) << "a tuning waited for more than its turn";

  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(10000));
  close(busy);
  close(other);
}

TEST(Service, WithoutItsControlPortOrItsSerialPortItSaysSoOnOneLine) {
  QTemporaryDir folder;
  struct Case {
    QStringList arguments;
    int status;
    const char* says;
  };
  for (const Case& c :
       {Case{{"--no-window"}, 2, "--no-window potrebuje --rigctld"},
        Case{{"--no-window", "--rigctld", "1", "--port", folder.filePath("no-such-port"),
              "--settings", folder.filePath("pll.ini")},
             1,
             "COM Interface Error: Naprava "}}) {
    QProcess program;
    program.setProcessEnvironment(WithoutDisplay());
    program.start(ORX_PROGRAM, c.arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), c.status) << c.arguments.join(' ').toStdString();
    const QByteArray error = program.readAllStandardError();
    EXPECT_TRUE(error.contains(c.says)) << error.toStdString();
    EXPECT_EQ(error.count('\n'), 1) << error.toStdString();
  }
  EXPECT_FALSE(QFile::exists(folder.filePath("pll.ini")));
}

}  // namespace
}  // namespace orx::testing
