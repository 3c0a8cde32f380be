// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The receiver as a service: no display, tuned by Hamlib's own client through the control port,
// ended by a signal after the word in progress, never writing pll.ini; and the band and the
// frequency it starts on, the window's own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/steady_clock.h"
#include "link/word_frame.h"
#include "settings/bas_ini_file.h"
#include "support/face_child.h"
#include "support/form_harness.h"
#include "support/loopback.h"

namespace orx::testing {
namespace {

using Operation = link::RecordingLineDevice::Operation;

// Starts the service child on `ini` and gives the control port it announced, or 0.
quint16 StartService(QProcess& service, const QString& ini, const QString& events) {
  return StartFace(service, "service", ini, events);
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
  EXPECT_EQ(service.readAllStandardOutput(), "") << "announced a page that is not served";

  const std::vector<Event> events = EventsOfChild(folder.filePath("events"));
  EXPECT_EQ(WordsOf(ReceiveWords(events)), (std::vector<uint16_t>{0x8505, 3312, 7012}));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().operation, Operation::kClose);
  EXPECT_EQ(ReadBytes(ini), settings);
}

// Resident memory of a process, in KiB.
qint64 ResidentKib(qint64 pid) {
  for (const QByteArray& line : ReadBytes(QString("/proc/%1/status").arg(pid)).split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
  }
  return -1;
}

// What the program keeps for a client that sends without end and never reads its replies stays
// bounded: the system holds the client back, and the program's memory hardly grows.
TEST(Service, AClientThatNeverReadsCostsTheProgramABoundedAmount) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "under AddressSanitizer resident memory counts its quarantine of freed blocks";
#endif
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=1000\n");
  QProcess service;
  const quint16 port = StartService(service, ini, folder.filePath("events"));
  ASSERT_NE(port, 0);
  const int other = LoopbackConnection(port, {0, 5});
  ASSERT_GE(other, 0);
  ASSERT_EQ(send(other, "f\n", 2, MSG_NOSIGNAL), 2);
  ASSERT_EQ(ReadLine(other), "1000000");
  const qint64 before = ResidentKib(service.processId());
  ASSERT_GT(before, 0);

  // 32 MB of reads, 128 MB of replies: as much as goes before the system holds the client back.
  const int flooder = LoopbackConnection(port, {4096, 0});
  ASSERT_GE(flooder, 0);
  const timeval patience{1, 0};
  ASSERT_EQ(setsockopt(flooder, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience), 0);
  const QByteArray chunk = QByteArray("f\n").repeated(32 * 1024);
  qint64 sent = 0;
  for (int i = 0; i < 512; ++i) {
    const ssize_t went = send(flooder, chunk.constData(), chunk.size(), MSG_NOSIGNAL);
    if (went <= 0) break;
    sent += went;
  }
  QTest::qWait(300);
  const qint64 after = ResidentKib(service.processId());
  EXPECT_LT(after - before, 4 * 1024) << "sent " << sent << " bytes; resident " << before
                                      << " KiB before, " << after << " KiB after";
  ASSERT_EQ(send(other, "f\n", 2, MSG_NOSIGNAL), 2);
  EXPECT_EQ(ReadLine(other), "1000000");
  close(flooder);
  close(other);
  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(10000));
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
  QElapsedTimer waited;
  waited.start();
  ASSERT_EQ(send(busy, tunings.constData(), tunings.size(), MSG_NOSIGNAL), tunings.size());
  EXPECT_EQ(ReadLine(busy), "RPRT 0");  // its first word is out, and more are under way
  // A frame as long as this machine takes for it (an emulated processor takes longer): the
  // limits below are some frames, where all forty would take 2.8 s or more.
  const auto frame_ms = std::max<qint64>(70, waited.elapsed());

  waited.restart();
  ASSERT_EQ(send(other, "f\n", 2, MSG_NOSIGNAL), 2);
  const QByteArray read = ReadLine(other);
  const auto read_ms = waited.elapsed();
  EXPECT_TRUE(read.startsWith("20")) << read.toStdString();
  EXPECT_LT(read_ms, 6 * frame_ms) << "a reading waited behind the other client's tunings";
  waited.restart();
  ASSERT_EQ(send(other, "F 9000000\n", 10, MSG_NOSIGNAL), 10);
  EXPECT_EQ(ReadLine(other), "RPRT 0");
  EXPECT_LT(waited.elapsed(), 9 * frame_ms) << "a tuning waited for more than its turn";

  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(10000));
  close(busy);
  close(other);
}

// Real frames on the real clock: SIGTERM comes while a client's tunings are queued. The word in
// progress ends, and no other starts after it, whoever asked for one; with the window as well.
class ControlPortAtTheEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(ControlPortAtTheEnd, NoWordStartsOnceATerminationSignalHasArrived) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=1000\n");
  QProcess service;
  const quint16 port = StartFace(service, GetParam(), ini, folder.filePath("events"));
  ASSERT_NE(port, 0);
  const int busy = LoopbackConnection(port, {0, 5});
  const int other = LoopbackConnection(port, {0, 5});
  ASSERT_GE(busy, 0);
  ASSERT_GE(other, 0);
  QByteArray tunings;
  for (int k = 1; k <= 20; ++k) tunings += "F " + QByteArray::number((2000 + k) * 1000) + "\n";
  ASSERT_EQ(send(busy, tunings.constData(), tunings.size(), MSG_NOSIGNAL), tunings.size());
  ASSERT_EQ(send(other, "F 9000000\n", 10, MSG_NOSIGNAL), 10);
  EXPECT_EQ(ReadLine(busy), "RPRT 0");
  QTest::qWait(35);  // within a frame
  const double signalled = link::SteadyClock().ReadMilliseconds();
  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(10000));
  EXPECT_EQ(service.exitCode(), 0);

  double last_start = 0;
  int starts_after = 0;
  for (const Event& event : EventsOfChild(folder.filePath("events"))) {
    if (event.operation != Operation::kDtr || !event.level || !event.device_open) continue;
    last_start = event.time_ms;
    if (last_start > signalled + 1.0) ++starts_after;
  }
  EXPECT_EQ(starts_after, 0) << "last word started " << last_start - signalled
                             << " ms after the signal";
  // What each client heard is what went out: no success for a word that never started.
  for (const int client : {busy, other}) {
    for (QByteArray reply = ReadLine(client); !reply.isEmpty(); reply = ReadLine(client))
      EXPECT_TRUE(reply == "RPRT 0" || reply == "RPRT -6") << reply.toStdString();
    close(client);
  }
}

INSTANTIATE_TEST_SUITE_P(Faces, ControlPortAtTheEnd, ::testing::Values("service", "window-rigctld"),
                         [](const auto& info) {
                           return std::string(info.param) == "service" ? "Service" : "Window";
                         });

// A port on this machine that nobody listens on, once the probe is gone.
QString FreePort() {
  QTcpServer probe;
  return probe.listen(QHostAddress::LocalHost) ? QString::number(probe.serverPort()) : QString();
}

// The program as installed, not the test's child: on a pseudo-terminal that is given the modem
// lines it lacks (and whose line operations are written down with the time), it starts, serves
// the control port and the page, tunes with frames in the protocol's timing, and ends cleanly.
TEST(Service, TheProgramItselfServesAndTunesOnARealPort) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  const QByteArray settings = "[Freq]\nF1=7000\n";
  WriteBytes(ini, settings);
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0) GTEST_SKIP() << "no pseudo-terminal here: " << std::strerror(errno);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  const QString port = QString::fromLocal8Bit(ptsname(terminal));
  const QString rigctld = FreePort();
  const QString web = FreePort();
  ASSERT_FALSE(rigctld.isEmpty() || web.isEmpty());

  QProcess program;
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("LD_PRELOAD", ORX_FAILING_CALLS);
  environment.insert("ORX_FAIL", "modem-lines");
  environment.insert("ORX_FAIL_EVENTS", folder.filePath("events"));
  environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
  program.setProcessEnvironment(environment);
  program.start(ORX_PROGRAM, {"--no-window", "--port", port, "--settings", ini, "--rigctld",
                              rigctld, "--web", web});
  ASSERT_TRUE(program.waitForStarted());
  const auto connected = [](const QString& to) {
    auto socket = std::make_unique<QTcpSocket>();
    QElapsedTimer waited;
    waited.start();
    do {
      socket->connectToHost(QHostAddress::LocalHost, to.toUShort());
      if (socket->waitForConnected(1000)) return socket;
      socket->abort();
      QTest::qWait(50);
    } while (waited.elapsed() < 10000);
    return socket;
  };
  const auto ask = [](QTcpSocket& socket, const QByteArray& command) {
    socket.write(command);
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(5000)) answer += socket.readAll();
    return answer;
  };
  const auto control = connected(rigctld);
  ASSERT_EQ(control->state(), QAbstractSocket::ConnectedState)
      << program.readAllStandardError().toStdString();
  EXPECT_EQ(ask(*control, "f\n"), "7000000\n");
  EXPECT_EQ(ask(*control, "F 3500000\n"), "RPRT 0\n");
  EXPECT_EQ(ask(*control, "f\n"), "3500000\n");
  const auto page = connected(web);
  const QByteArray asked = "GET / HTTP/1.1\r\nHost: 127.0.0.1:" + web.toLatin1() + "\r\n\r\n";
  EXPECT_TRUE(ask(*page, asked).startsWith("HTTP/1.1 200")) << "the page was not served";

  // Still running (a process id of 0 would signal the test's own group).
  ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  ::close(terminal);
  const std::vector<ReceivedWord> frames = ReceiveWords(EventsOfChild(folder.filePath("events")));
  EXPECT_EQ(WordsOf(frames), (std::vector<uint16_t>{0x8505, 7000 + link::kDividerOffset,
                                                    3500 + link::kDividerOffset}));
  for (const ReceivedWord& frame : frames)
    EXPECT_EQ(FrameProblems(frame), std::vector<std::string>()) << frame.word;
  const auto events = EventsOfChild(folder.filePath("events"));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().operation, Operation::kOpen);
  EXPECT_EQ(events.back().operation, Operation::kClose);
  EXPECT_EQ(ReadBytes(ini), settings);
}

// The page alone, without a control port: only the page is announced and served.
TEST(Service, ServesThePageAloneWithoutAControlPort) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=7000\n");
  QProcess service;
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("ORX_TEST_WEB_ADDRESS", "127.0.0.1");
  environment.insert("ORX_TEST_WEB_PORT", "0");
  environment.insert("ORX_TEST_NO_CONTROL_PORT", "1");
  service.setProcessEnvironment(environment);
  service.start(ORX_TEST_CHILD, {"service", ini, folder.filePath("events")});
  ASSERT_TRUE(service.waitForReadyRead(10000)) << service.readAllStandardError().toStdString();
  const QByteArray announced = service.readLine().trimmed();
  ASSERT_TRUE(announced.startsWith("web ")) << announced.toStdString();
  QTcpSocket page;
  page.connectToHost(QHostAddress::LocalHost, announced.mid(4).toUShort());
  ASSERT_TRUE(page.waitForConnected(5000));
  page.write("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + announced.mid(4) + "\r\n\r\n");
  ASSERT_TRUE(page.waitForReadyRead(5000));
  EXPECT_TRUE(page.readAll().startsWith("HTTP/1.1 200"));
  ASSERT_EQ(service.state(), QProcess::Running);
  kill(static_cast<pid_t>(service.processId()), SIGTERM);
  ASSERT_TRUE(service.waitForFinished(10000));
  EXPECT_EQ(service.exitCode(), 0);
  EXPECT_EQ(service.readAllStandardOutput(), "") << "announced more than the page";
  EXPECT_EQ(WordsOf(ReceiveWords(EventsOfChild(folder.filePath("events")))),
            (std::vector<uint16_t>{0x8505, 7000 + link::kDividerOffset}));
}

// A key that other users could read is no key: when the new key's file cannot be kept to its
// owner, the page is not served beyond this machine, and the service says why before it tries
// the serial port.
TEST(Service, AKeyWhoseFileCannotBeKeptFromOtherUsersOpensNoPage) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=7000\n");
  const QString key = folder.filePath("web-key");
  QProcess program;
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("LD_PRELOAD", ORX_FAILING_CALLS);
  environment.insert("ORX_FAIL", "chmod-path");
  environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
  program.setProcessEnvironment(environment);
  program.start(ORX_PROGRAM,
                {"--no-window", "--port", folder.filePath("no-such-port"), "--settings", ini,
                 "--web", FreePort(), "--web-address", "0.0.0.0", "--web-key-file", key});
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitCode(), 78);
  EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()).trimmed(),
            "orx-frekvenca: Ključa za spletno stran v " + key +
                " ni mogoče shraniti: dovoljenj datoteke ni mogoče omejiti na lastnika");
}

// Each mistake on one line, and those of the set-up before the serial port is tried: a service
// manager retries status 1 (a port that may yet appear), never 2 or 78.
TEST(Service, SaysWhatIsWrongOnOneLineEachAndTouchesTheSerialPortOnlyOnceItCanServe) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=7000\n");
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
  const QString taken_port = QString::number(taken.serverPort());
  const QString no_port = folder.filePath("no-such-port");
  QString free_port;
  {
    QTcpServer probe;  // a port nobody listens on once the probe is gone
    ASSERT_TRUE(probe.listen(QHostAddress::Any));
    free_port = QString::number(probe.serverPort());
  }
  const QStringList service{"--no-window", "--port", no_port};
  struct Case {
    QStringList arguments;
    int status;
    QStringList says;
  };
  const Case cases[] = {
      {{"--no-window"}, 2, {"--no-window potrebuje --rigctld"}},
      {service + QStringList{"--rigctld", free_port, "--settings", ini},
       1,
       {"COM Interface Error: Naprava " + no_port + " ne obstaja."}},
      {service + QStringList{"--rigctld", free_port, "--settings", folder.filePath("none.ini")},
       1,
       {"Datoteke z nastavitvami " + folder.filePath("none.ini") +
            " ni; sprejemnik začne na privzetih vrednostih (2000 kHz, pas 0–24000 kHz).",
        "COM Interface Error: Naprava "}},
      {service +
           QStringList{"--rigctld", free_port, "--rigctld-address", "0.0.0.0", "--settings", ini},
       1,
       {"ukaze Hamlib sprejema na 0.0.0.0:" + free_port +
            "; sprejemnik lahko uglasi vsak, ki doseže ta naslov (z --rigctld-allow ga omejite "
            "na svoje odjemalce).",
        "COM Interface Error: Naprava "}},
      {service + QStringList{"--rigctld", free_port, "--rigctld-address", "0.0.0.0",
                             "--rigctld-allow", "192.168.1.0/24", "--settings", ini},
       1,
       {"ukaze Hamlib sprejema na 0.0.0.0:" + free_port + " le od 192.168.1.0/24.",
        "COM Interface Error: Naprava "}},
      {service + QStringList{"--rigctld", free_port, "--rigctld-allow", "192.168.1.0/24,",
                             "--settings", ini},
       2,
       {"--rigctld-allow: prazen element seznama"}},
      {service + QStringList{"--rigctld", taken_port, "--settings", ini},
       78,
       {"Vrat za ukaze Hamlib 127.0.0.1:" + taken_port +
        " ni mogoče odpreti: ta vrata že uporablja drug program"}},
      {service +
           QStringList{"--rigctld", free_port, "--rigctld-address", "192.0.2.1", "--settings", ini},
       78,
       {"Vrat za ukaze Hamlib 192.0.2.1:" + free_port +
        " ni mogoče odpreti: ta računalnik nima tega naslova"}},
      {service + QStringList{"--rigctld", free_port, "--settings", folder.path()},
       78,
       {"Branje datoteke pll.ini ni uspelo: " + folder.path() + ": to je mapa"}},
  };
  for (const Case& c : cases) {
    QProcess program;
    program.setProcessEnvironment(WithoutDisplay());
    program.start(ORX_PROGRAM, c.arguments);
    ASSERT_TRUE(program.waitForFinished(10000));
    const std::string arguments = c.arguments.join(' ').toStdString();
    EXPECT_EQ(program.exitCode(), c.status) << arguments;
    const QStringList lines =
        QString::fromUtf8(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), c.says.size()) << arguments << "\n" << lines.join('\n').toStdString();
    for (int i = 0; i < lines.size(); ++i) {
      EXPECT_TRUE(lines[i].startsWith("orx-frekvenca: " + c.says[i])) << arguments << "\n"
                                                                      << lines[i].toStdString();
    }
  }
  EXPECT_EQ(ReadBytes(ini), "[Freq]\nF1=7000\n");
  EXPECT_FALSE(QFile::exists(folder.filePath("none.ini")));
}

}  // namespace
}  // namespace orx::testing
