// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The control port against Debian's own Hamlib client, and against a client of ours for what
// a real one never sends: garbage, endless lines, too many connections, half commands.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <set>

#include "app/remote_control.h"
#include "remote/held_connection.h"
#include "remote/rigctl_session.h"
#include "support/fake_tuning.h"
#include "support/form_harness.h"
#include "support/loopback.h"

namespace orx::testing {
namespace {

TEST(RigctlProtocol, CommandsAndTheirReplies) {
  struct Case {
    const char* line;
    const char* reply;
  };
  const Case cases[] = {
      {"f", "7000000\n"},
      {"\\get_freq", "7000000\n"},
      {"+f", "get_freq:\nFrequency: 7000000\nRPRT 0\n"},
      {";\\get_freq", "get_freq:;Frequency: 7000000;RPRT 0\n"},
      {"|f", "get_freq:|Frequency: 7000000|RPRT 0\n"},
      {"v", "VFOA\n"},
      {",v", "get_vfo:,VFO: VFOA,RPRT 0\n"},
      {"V VFOA", "RPRT 0\n"},
      {"V VFOB", "RPRT -11\n"},
      {"m", "AM\n0\n"},
      {"M AM 0", "RPRT 0\n"},
      {"M USB 2400", "RPRT -11\n"},
      {"t", "0\n"},
      {"s", "0\nVFOA\n"},
      {"+s", "get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n"},
      {"\\chk_vfo", "0\n"},
      {"\\get_powerstat", "1\n"},
      {"T 1", "RPRT -11\n"},
      {"L AF 0.5", "RPRT -11\n"},
      {"\\set_powerstat 0", "RPRT -11\n"},
      {"F", "RPRT -1\n"},
      {"F sedem", "RPRT -1\n"},
      {"F nan", "RPRT -1\n"},
      {"F 99000", "RPRT -1\n"},     // 99 kHz: below the band
      {"F 30000501", "RPRT -1\n"},  // rounds to 30001 kHz: above it
      {"", ""},  // a blank line is no command and gets no answer, as from rigctld
      {" \t ", ""},
      {"+F abc", "set_freq: abc\nRPRT -1\n"},
      {"+V VFOB", "set_vfo: VFOB\nRPRT -11\n"},
      {"\\get_lock_mode", "0\nRPRT 0\n"},
      {"+\\get_lock_mode", "get_lock_mode:\nLocked: 0\nRPRT 0\n"},
      {"\x01\x7f\xff", "RPRT -1\n"},
      {"q", "RPRT 0\n"},
      // Refused in the extended form: echoed first, as rigctld does.
      {"+T 0", "set_ptt: 0\nRPRT -11\n"},
      {";\\get_vfo_info VFOA", "get_vfo_info: VFOA;RPRT -11\n"},
      {"+\\set_powerstat 0", "set_powerstat: 0\nRPRT -11\n"},
      {"\\set_powerstat 1", "RPRT 0\n"},  // it is on
      {"M AM abc", "RPRT -1\n"},          // a passband that is no number
      {"M AM", "RPRT -1\n"},
      {"M AM -1", "RPRT 0\n"},
      {"M AM 9", "RPRT 0\n"},
      {"M AM :", "RPRT -1\n"},  // the characters either side of the digits
      {"M AM /", "RPRT -1\n"},
      {"M\tAM\t0", "RPRT 0\n"},
      {"\\set_powerstat\t1", "RPRT 0\n"},  // a TAB after a long name too
      {"\\set_powerstat", "RPRT -1\n"},    // no state asked for, as "F" alone
  };
  for (const Case& c : cases) {
    FakeTuning tuning;
    remote::RigctlSession session(tuning);
    EXPECT_EQ(session.Handle(c.line).text, QByteArray(c.reply)) << c.line;
    EXPECT_TRUE(tuning.tuned.isEmpty()) << c.line;
  }
}

TEST(RigctlProtocol, ALineHoldsAsManyCommandsAsItsNamesAndArgumentsMake) {
  using List = QList<QByteArray>;
  const std::pair<const char*, List> cases[] = {
      {"f v m", {"f", "v", "m"}},
      {"fvm", {"f", "v", "m"}},
      {"F 7030000 f", {"F 7030000", "f"}},
      {"F\t7030000", {"F\t7030000"}},
      {"f;v", {"f", ";v"}},
      {"+f v", {"+f", "v"}},
      {"+f;v", {"+f", ";v"}},
      {"+ f v", {"+ f", "v"}},  // blanks after the separator, as rigctld allows
      {"M AM 0 f", {"M AM 0", "f"}},
      {"S 0 VFOA s", {"S 0 VFOA", "s"}},
      {"L AF 0.5 l AF f", {"L AF 0.5", "l AF", "f"}},
      {"\\set_powerstat 1 \\get_freq", {"\\set_powerstat 1", "\\get_freq"}},
      {"+\\get_vfo_info VFOA f", {"+\\get_vfo_info VFOA", "f"}},
      {"  f  \t ", {"f"}},
      {"F", {"F"}},
      {"", {}},
  };
  for (const auto& [line, commands] : cases)
    EXPECT_EQ(remote::RigctlSession::Commands(line), commands) << line;
}

TEST(RigctlProtocol, SetFrequencyRoundsToTheNearestKilohertzAHalfGoingUp) {
  for (const auto& [hertz, kilohertz] : {std::pair{"7000000", 7000},
                                         {"7000499", 7000},
                                         {"7000500", 7001},
                                         {"7000500.000000", 7001},
                                         {"99500", 100},
                                         {"30000499.9", 30000},
                                         {"1.5e7", 15000}}) {
    FakeTuning tuning;
    remote::RigctlSession session(tuning);
    EXPECT_EQ(session.Handle(QByteArray("F ") + hertz).text, "RPRT 0\n") << hertz;
    EXPECT_EQ(tuning.tuned, QList<int>{kilohertz}) << hertz;
  }
  FakeTuning tuning;
  remote::RigctlSession session(tuning);
  EXPECT_EQ(session.Handle("+F 7100000").text, "set_freq: 7100000\nRPRT 0\n");
  EXPECT_TRUE(session.Handle("q").close);
}

TEST(RigctlProtocol, DumpStateGivesTheBandInHertz) {
  FakeTuning tuning;
  remote::RigctlSession session(tuning);
  const QByteArray state = session.Handle("\\dump_state").text;
  EXPECT_TRUE(state.contains("\n100000.000000 30000000.000000 ")) << state.toStdString();
  EXPECT_TRUE(state.endsWith("done\n"));
  const QByteArray extended = session.Handle("+\\dump_state").text;
  EXPECT_EQ(extended, "dump_state:\n" + state + "RPRT 0\n");

  tuning.lowest = -20;  // a band that reaches below zero starts, for Hamlib, at zero
  const QByteArray from_zero = session.Handle("\\dump_state").text;
  EXPECT_TRUE(from_zero.contains("\n0.000000 30000000.000000 ")) << from_zero.toStdString();
}

// The window offscreen on the recording link, with the control port on a free port.
class ControlPort : public ::testing::Test {
 protected:
  void SetUp() override {
    form = &harness.StartShown("[Freq]\nF1=1000\n[Nastavitve]\nmin=100\nmax=30000\n");
    control = app::StartRemoteControl(*form, QHostAddress(QHostAddress::LocalHost), 0,
                                      [this](const QString& text) { harness.messages << text; });
    ASSERT_TRUE(control.server);
  }

  // Runs Debian's rigctl against the port while the window's event loop goes on.
  struct ClientRun {
    QString out;
    QString err;
  };
  ClientRun Rigctl(const QStringList& commands) {
    QProcess rigctl;
    QSignalSpy finished(&rigctl, &QProcess::finished);
    rigctl.start("rigctl",
                 QStringList{"-m", "2", "-r", QString("127.0.0.1:%1").arg(control.server->Port())} +
                     commands);
    if (!rigctl.waitForStarted(5000)) return {"<rigctl did not start>", {}};
    EXPECT_TRUE(finished.wait(15000)) << commands.join(' ');
    return {QString::fromLocal8Bit(rigctl.readAllStandardOutput()).trimmed(),
            QString::fromLocal8Bit(rigctl.readAllStandardError())};
  }

  // A client of ours; the server answers from this same event loop, so waits spin it.
  std::unique_ptr<QTcpSocket> Connect() {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), control.server->Port());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }));
    QTest::qWait(5);  // let the server take it
    return socket;
  }
  QByteArray Ask(QTcpSocket& socket, const QByteArray& bytes) {
    socket.write(bytes);
    QByteArray reply;
    // An answer of one line at least to each line asked, however busy the machine.
    qsizetype lines = 0;
    for (const QByteArray& line : bytes.split('\n')) lines += !line.trimmed().isEmpty();
    lines = std::max<qsizetype>(1, std::min(lines, bytes.count('\n')));
    (void)QTest::qWaitFor(
        [&] {
          reply += socket.readAll();
          return reply.endsWith('\n') && reply.count('\n') >= lines;
        },
        bytes.endsWith('\n') || bytes.isEmpty() ? 2000 : 100);
    // Each answer goes out on its own; those of more lines follow shortly.
    if (!reply.isEmpty()) {
      QTest::qWait(30);
      reply += socket.readAll();
    }
    return reply;
  }
  static bool WaitForClose(QTcpSocket& socket) {
    return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; });
  }

  FormHarness harness;
  ui::Form1* form = nullptr;
  app::RemoteControl control;
};

TEST_F(ControlPort, HamlibsOwnClientSetsAndReadsTheFrequency) {
  if (QStandardPaths::findExecutable("rigctl").isEmpty()) GTEST_SKIP() << "no rigctl here";
  EXPECT_TRUE(Rigctl({"F", "7000000"}).err.isEmpty());
  EXPECT_EQ(Rigctl({"f"}).out, "7000000");
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{7012});
  EXPECT_EQ(form->Label1->text(), "7000");
  EXPECT_EQ(form->Kon->text(), " 7000 kHz");

  harness.ForgetWire();
  const ClientRun outside = Rigctl({"F", "70000000"});  // 70 MHz: outside the band
  EXPECT_TRUE((outside.out + outside.err).contains("set_freq: error")) << outside.out;
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(form->HScroll1->value(), 7000);

  QTest::keyClick(form->HScroll1, Qt::Key_Right);  // tuning by hand shows at once
  EXPECT_EQ(Rigctl({"f"}).out, "7001000");
  EXPECT_TRUE(harness.messages.isEmpty());
}

TEST_F(ControlPort, ManyCommandsAtOnceAreAllAnsweredInOrder) {
  auto client = Connect();
  client->write("F 7000000\nF 7001000\nF 7002000\nf\n");
  QByteArray replies;
  EXPECT_TRUE(QTest::qWaitFor([&] {
    replies += client->readAll();
    return replies.count('\n') == 4;
  }));
  EXPECT_EQ(replies, "RPRT 0\nRPRT 0\nRPRT 0\n7002000\n");
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{7012, 7013, 7014}));
}

// More than one turn's share of reads: the rest are answered in the turns that follow.
TEST_F(ControlPort, ThousandsOfReadsAtOnceAreAllAnswered) {
  auto client = Connect();
  QByteArray reads;
  for (int i = 0; i < 3000; ++i) reads += "f\n";
  client->write(reads);
  QByteArray replies;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        replies += client->readAll();
        return replies.count('\n') == 3000;
      },
      5000));
  EXPECT_EQ(replies, QByteArray("1000000\n").repeated(3000));
}

TEST_F(ControlPort, SetFrequencyAnswersOnlyOnceItsWordIsOnTheWire) {
  const auto tuning = app::WindowTuning(*form);
  remote::RigctlSession session(*tuning);
  EXPECT_EQ(session.Handle("F 7000000").text, "RPRT 0\n");
  // No turn of the event loop in between: the word went out inside the command.
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{7012});
}

TEST_F(ControlPort, ALongestCommandWithCrLfIsAnsweredAndTheClientStays) {
  auto client = Connect();
  const QByteArray command = "F 7000000" + QByteArray(1024 - 9, ' ');
  EXPECT_EQ(Ask(*client, command + "\r\n"), "RPRT 0\n");
  EXPECT_EQ(client->state(), QAbstractSocket::ConnectedState);
  EXPECT_EQ(Ask(*client, "f\n"), "7000000\n");
  EXPECT_EQ(Ask(*client, "F 5000000" + QByteArray(1025 - 9, ' ') + "\n"), "RPRT -1\n");
}

int RawConnection(quint16 port, int receive_buffer = 0) {
  return LoopbackConnection(port, {receive_buffer, 0});
}

// Sends, ends its input, and reads until the server closes.
QByteArray ExchangeAndEndInput(quint16 port, const QByteArray& bytes) {
  const int fd = RawConnection(port);
  if (fd < 0) return "<no connection>";
  (void)send(fd, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
  shutdown(fd, SHUT_WR);
  QByteArray reply;
  bool closed = false;
  (void)QTest::qWaitFor(
      [&] {
        char buffer[4096];
        const ssize_t count = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0) reply.append(buffer, count);
        closed = count == 0;
        return closed;
      },
      5000);
  close(fd);
  return closed ? reply : reply + "<still open>";
}

TEST_F(ControlPort, EveryCommandBeforeTheEndOfInputIsAnsweredBeforeTheClose) {
  EXPECT_EQ(ExchangeAndEndInput(control.server->Port(), "F 7104000\nf\n"), "RPRT 0\n7104000\n");
  EXPECT_EQ(ExchangeAndEndInput(control.server->Port(), "f\n"), "7104000\n");
  EXPECT_EQ(ExchangeAndEndInput(control.server->Port(), "f"), "7104000\n");
  // A last line without its line end that holds several commands: each answered, as rigctld does.
  EXPECT_EQ(ExchangeAndEndInput(control.server->Port(), "f v"), "7104000\nVFOA\n");
  EXPECT_EQ(ExchangeAndEndInput(control.server->Port(), "F 7200000 f"), "RPRT 0\n7200000\n");
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{7116, 7212}));
}

TEST_F(ControlPort, ReadsHeldBehindATuningAtTheEndOfInputAreAnsweredEach) {
  // More than one read of input is still unread when the input ends.
  EXPECT_EQ(
      ExchangeAndEndInput(control.server->Port(), "F 7105000\n" + QByteArray("f\n").repeated(3000)),
      "RPRT 0\n" + QByteArray("7105000\n").repeated(3000));
}

// The held connection waits for room for a while, and gives up when the peer reads nothing.
TEST(HeldConnection, GivesUpWhenThePeerReadsNothingForItsPatience) {
  int ends[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
  ASSERT_EQ(fcntl(ends[0], F_SETFL, O_NONBLOCK), 0);  // as Qt's sockets are
  remote::HeldConnection held(ends[0]);
  close(ends[0]);  // the held handle is a copy of its own
  EXPECT_TRUE(held.Write("f\n"));
  QElapsedTimer waited;
  waited.start();
  EXPECT_FALSE(held.Write(QByteArray(16 << 20, 'x')));
  EXPECT_GE(waited.elapsed(), 1500);
  EXPECT_LT(waited.elapsed(), 4000);
  char first[2];
  EXPECT_EQ(read(ends[1], first, 2), 2);  // what fitted went out
  close(ends[1]);
}

// A client that ends its input but reads no answers is read no further once its unread replies
// pile up: it never holds the program up, and nothing it sent after that is carried out.
TEST_F(ControlPort, AClientThatReadsNothingHoldsNobodyUp) {
  const int stubborn = RawConnection(control.server->Port(), 1024);
  ASSERT_GE(stubborn, 0);
  // All of it, and the end of input, before the program sees any: the tunings take a turn each.
  QByteArray commands;
  for (int khz = 2010; khz >= 2000; --khz) commands += "F " + QByteArray::number(khz * 1000) + "\n";
  for (int i = 0; i < 16000; ++i) commands += "\\dump_state\n";  // 5 MB of answers
  commands += "F 9000000\n";  // never carried out: its replies are never read
  QTest::qWait(20);
  ASSERT_EQ(send(stubborn, commands.constData(), commands.size(), MSG_NOSIGNAL), commands.size());
  shutdown(stubborn, SHUT_WR);
  QElapsedTimer held_up;
  held_up.start();
  auto other = Connect();
  other->write("f\n");
  QByteArray answer;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        answer += other->readAll();
        return answer.endsWith('\n');
      },
      8000));
  EXPECT_LT(held_up.elapsed(), 1000);
  EXPECT_TRUE(answer.startsWith("20") && answer.size() == 8) << answer.toStdString();
  QTest::qWait(500);
  EXPECT_EQ(Ask(*other, "f\n"), "2000000\n");  // all of its tunings, and no more
  close(stubborn);
}

// Held back while it read nothing, a client that then reads, and sends nothing more, gets every
// answer still owed to it.
TEST_F(ControlPort, AClientThatCatchesUpIsAnsweredTheRestWithoutSendingMore) {
  auto other = Connect();
  const QByteArray one = Ask(*other, "\\dump_state\n");
  ASSERT_GT(one.size(), 100);
  const int slow = RawConnection(control.server->Port(), 1024);
  ASSERT_GE(slow, 0);
  constexpr int kCommands = 16000;  // some 6 MB of answers, beyond what the system buffers
  const QByteArray commands = QByteArray("\\dump_state\n").repeated(kCommands) + "f\n";
  ASSERT_EQ(send(slow, commands.constData(), commands.size(), MSG_NOSIGNAL), commands.size());
  constexpr qint64 kBound = 16 * 1024;  // as the manual gives it
  const auto kept_for_it = [&] {
    qint64 kept = 0;
    for (const QTcpSocket* socket : control.server->findChildren<QTcpSocket*>())
      kept = std::max(kept, socket->bytesToWrite());
    return kept;
  };
  // Held back by the bound on its unread replies, once the system's buffers are full: as soon as
  // a fast computer answers that much, and then a while longer to see that it stays held.
  static_cast<void>(QTest::qWaitFor([&] { return kept_for_it() > kBound; }, 60000));
  QTest::qWait(300);
  // What the program keeps for it, beyond what the system buffers: the bound, and the one reply
  // that crossed it.
  const qint64 kept = kept_for_it();
  EXPECT_GT(kept, kBound);
  EXPECT_LE(kept, kBound + one.size());
  // And of what it sent, no more than the bound waits unread (without one, Qt would read on).
  qint64 unread = 0;
  for (const QTcpSocket* socket : control.server->findChildren<QTcpSocket*>())
    unread = std::max(unread, socket->bytesAvailable());
  EXPECT_GT(unread, 0);
  EXPECT_LE(unread, kBound);
  const timeval patience{0, 20000};
  setsockopt(slow, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  const qsizetype owed = kCommands * one.size() + Ask(*other, "f\n").size();
  QByteArray answers;
  char buffer[65536];
  QElapsedTimer reading;
  reading.start();
  while (reading.elapsed() < 60000 && answers.size() < owed) {
    const ssize_t got = recv(slow, buffer, sizeof buffer, 0);
    if (got > 0) answers.append(buffer, got);
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(answers.size(), owed);
  EXPECT_TRUE(answers.startsWith(one));
  close(slow);
}

// A client that reads its replies, so that no bound on unread replies holds it back, and sends
// commands without end gets a share of each turn and no more: another client's command is
// answered after a share or two of the flood, not after all of it that the program has read.
TEST_F(ControlPort, AFloodingClientThatReadsItsRepliesGetsItsShareOfATurnAndNoMore) {
  const int flooder = RawConnection(control.server->Port());
  const int other = RawConnection(control.server->Port());
  ASSERT_GE(flooder, 0);
  ASSERT_GE(other, 0);
  const QByteArray flood = QByteArray("f\n").repeated(24000);  // more than one read of input
  ASSERT_EQ(send(flooder, flood.constData(), flood.size(), MSG_NOSIGNAL), flood.size());
  ASSERT_EQ(send(other, "f\n", 2, MSG_NOSIGNAL), 2);
  // Turn by turn, until the other client has its answer; then what the flood got meanwhile.
  QByteArray answer;
  for (int turn = 0; turn < 10000 && !answer.endsWith('\n'); ++turn) {
    QCoreApplication::processEvents();
    char buffer[64];
    const ssize_t got = recv(other, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got > 0) answer.append(buffer, got);
  }
  EXPECT_EQ(answer, "1000000\n");
  qsizetype flood_answers = 0;
  char buffer[65536];
  for (ssize_t got; (got = recv(flooder, buffer, sizeof buffer, MSG_DONTWAIT)) > 0;)
    flood_answers += QByteArrayView(buffer, got).count('\n');
  EXPECT_GT(flood_answers, 0);
  EXPECT_LE(flood_answers, 2 * remote::RigctlServer::kCommandsPerTurn)
      << "the flood was answered that much before the other client";
  close(flooder);
  close(other);
}

// One client sends reads without end and never reads the replies; the others are answered as
// soon as ever, and the flood is held back by the system rather than kept by the program.
TEST_F(ControlPort, AFloodFromOneClientLeavesTheOthersTheirTurn) {
  const int flooder = RawConnection(control.server->Port(), 4096);
  ASSERT_GE(flooder, 0);
  fcntl(flooder, F_SETFL, O_NONBLOCK);
  QByteArray flood;
  for (int i = 0; i < 4000000; ++i) flood += "f\n";
  qsizetype sent = 0;
  const auto send_more = [&] {
    while (sent < flood.size()) {
      const auto n = send(flooder, flood.constData() + sent, flood.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += n;
    }
  };
  auto other = Connect();
  for (int round = 0; round < 5; ++round) {
    send_more();
    QTest::qWait(50);
    send_more();
    QElapsedTimer waited;
    waited.start();
    other->write(round % 2 ? "f\n" : "F 3000000\n");
    QByteArray answer;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          send_more();
          answer += other->readAll();
          return answer.endsWith('\n');
        },
        5000));
    EXPECT_LT(waited.elapsed(), 500) << round;
    EXPECT_EQ(answer, round % 2 ? "3000000\n" : "RPRT 0\n");
  }
  // Held back: most of the flood is still waiting in the system, not read by the program.
  EXPECT_LT(sent, flood.size());
  close(flooder);
}

// Up to the longest command and its line end, a line is waited for and then refused; past that
// it can be no command, and the client is dropped.
TEST_F(ControlPort, ALineTooLongIsRefusedAndOneLongerStillEndsTheConnection) {
  const qsizetype kept = remote::RigctlServer::kLongestLine + remote::RigctlServer::kLongestLineEnd;
  auto client = Connect();
  EXPECT_EQ(Ask(*client, QByteArray(kept, 'x')), "");
  EXPECT_EQ(Ask(*client, "\n"), "RPRT -1\n");
  EXPECT_EQ(Ask(*client, "f\n"), "1000000\n");
  auto endless = Connect();
  endless->write(QByteArray(kept + 1, 'x'));
  EXPECT_TRUE(WaitForClose(*endless));
}

TEST_F(ControlPort, CrAloneEndsALineAndBlankLinesGetNoAnswer) {
  auto client = Connect();
  EXPECT_EQ(Ask(*client, "f\r"), "1000000\n");
  EXPECT_EQ(Ask(*client, "\n\r\n \nF 2000000\r\nf\n"), "RPRT 0\n2000000\n");
}

TEST_F(ControlPort, AWordThatDidNotReachTheSynthesizerIsAnIoError) {
  harness.device.SetBreakRefused(true);
  auto client = Connect();
  EXPECT_EQ(Ask(*client, "F 1001000\n"), "RPRT -6\n");  // 1013 is odd: its last bit sets break
  EXPECT_EQ(Ask(*client, "+F 1002000\n"), "set_freq: 1002000\nRPRT -6\n");
}

// The window went on without its port (the user was told at start-up): a new frequency is
// shown but reaches no synthesizer, and the client is told so.
TEST(ControlPortWithoutAPort, SetFrequencyIsAnIoErrorWhenThePortDidNotOpen) {
  FormHarness harness;
  harness.device.SetOpenSucceeds(false);
  auto& form = harness.StartShown("[Freq]\nF1=1000\n[Nastavitve]\nmin=100\nmax=30000\n");
  auto control = app::StartRemoteControl(form, QHostAddress(QHostAddress::LocalHost), 0,
                                         [&](const QString& text) { harness.messages << text; });
  ASSERT_TRUE(control.server);
  const int client = RawConnection(control.server->Port());
  ASSERT_GE(client, 0);
  const auto ask = [&](const QByteArray& command) {
    (void)send(client, command.constData(), command.size(), MSG_NOSIGNAL);
    QByteArray answer;
    (void)QTest::qWaitFor([&] {
      char buffer[256];
      const ssize_t count = recv(client, buffer, sizeof buffer, MSG_DONTWAIT);
      if (count > 0) answer.append(buffer, count);
      return answer.count('\n') >= command.count('\n');
    });
    return answer;
  };
  EXPECT_EQ(ask("F 2000000\n"), "RPRT -6\n");
  EXPECT_EQ(ask("+F 3000000\n"), "set_freq: 3000000\nRPRT -6\n");
  EXPECT_EQ(ask("f\n"), "3000000\n");
  close(client);
}

TEST_F(ControlPort, ClientsTuneInTurnAndAReadNeverWaitsBehindTheirQueue) {
  std::vector<std::unique_ptr<QTcpSocket>> busy;
  for (int i = 0; i < 6; ++i) busy.push_back(Connect());
  const int reader = RawConnection(control.server->Port());
  ASSERT_GE(reader, 0);
  QTest::qWait(20);
  for (int i = 0; i < 6; ++i) {
    QByteArray commands;
    for (int k = 1; k <= 30; ++k)
      commands += "F " + QByteArray::number((1000 + 100 * i + k) * 1000) + "\n";
    busy[i]->write(commands);
    busy[i]->flush();
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return harness.WordsFramed().size() >= 12; }));
  // A read sent now is answered before more than the frame in progress has gone out.
  const size_t words_before = harness.WordsFramed().size();
  (void)send(reader, "f\n", 2, MSG_NOSIGNAL);
  QByteArray answer;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    char buffer[64];
    const ssize_t count = recv(reader, buffer, sizeof buffer, MSG_DONTWAIT);
    if (count > 0) answer.append(buffer, count);
    return answer.endsWith('\n');
  }));
  EXPECT_LE(harness.WordsFramed().size() - words_before, 1u);
  close(reader);

  ASSERT_TRUE(QTest::qWaitFor([&] { return harness.WordsFramed().size() >= 180; }, 10000));
  // In turn: while all six have commands waiting, every six words come from six clients.
  const auto words = harness.WordsFramed();
  for (size_t start = 30; start + 6 <= 150; start += 6) {
    std::set<int> round;
    for (size_t w = start; w < start + 6; ++w) round.insert((words[w] - 12 - 1000) / 100);
    EXPECT_EQ(round.size(), 6u) << "words " << start << " to " << start + 5;
  }
}

// The same script to Hamlib's own server (its dummy rig) and to ours, set alike.
TEST_F(ControlPort, RepliesAreRigctldsOwn) {
  if (QStandardPaths::findExecutable("rigctld").isEmpty()) GTEST_SKIP() << "no rigctld here";
  QTcpServer free_port;
  ASSERT_TRUE(free_port.listen(QHostAddress::LocalHost, 0));
  const quint16 rigctld_port = free_port.serverPort();
  free_port.close();
  QProcess rigctld;
  rigctld.start("rigctld", {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(rigctld_port)});
  ASSERT_TRUE(rigctld.waitForStarted());
  auto hamlib = std::make_unique<QTcpSocket>();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        hamlib = std::make_unique<QTcpSocket>();
        hamlib->connectToHost(QHostAddress::LocalHost, rigctld_port);
        return hamlib->waitForConnected(200);
      },
      5000));
  auto ours = Connect();
  // Replies come whole or not at all; a quiet moment after the first bytes ends one. A loaded
  // machine may take a while for those, so a line that is answered waits for them.
  const auto reply = [this](QTcpSocket& socket, const QByteArray& line) {
    socket.write(line + "\n");
    QByteArray text;
    if (!line.trimmed().isEmpty()) {
      (void)QTest::qWaitFor([&] { return socket.bytesAvailable() > 0; }, 3000);
      text += socket.readAll();
    }
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 80) {
      QTest::qWait(10);
      const QByteArray more = socket.readAll();
      if (!more.isEmpty()) {
        text += more;
        quiet.restart();
      }
    }
    return text;
  };
  for (const char* setup : {"F 7000000", "M AM 0", "V VFOA"}) {
    (void)reply(*hamlib, setup);
    (void)reply(*ours, setup);
  }
  const QList<QByteArray> script = {
      "f",
      "+f",
      ";f",
      "|f",
      "\\get_freq",
      "F 7104000",
      "f",
      "",
      " ",
      "F abc",
      "+F abc",
      "+F 7105000",
      "+f",
      "V VFOA",
      "+V VFOA",
      "M AM 0",
      "+M AM 0",
      "s",
      "+s",
      "\\get_lock_mode",
      "f",
      "\\chk_vfo",
      // Several commands on a line, in every form, and TABs between.
      "f f",
      "ff",
      "F 7030000 f",
      "f;f",
      "+f f",
      ";f s",
      "|f s",
      "f,s",
      "+f;s",
      "\\get_freq \\get_freq",
      "\\get_freq s",
      "f\ts",
      "F\t7031000",
      "f  s",
      "F 7032000 F 7033000 f",
      "+F 7034000 f",
      "+\\set_powerstat 1",
      "+ f",
      "; f s",
      "\\set_powerstat 1",
      "M AM abc",
      "+M AM abc",
      "M AM 0 f",
      "s f",
  };
  for (const QByteArray& line : script) {
    EXPECT_EQ(reply(*ours, line), reply(*hamlib, line))
        << "command: \"" << line.toStdString() << "\"";
  }
  // Where the receiver is not Hamlib's dummy rig, and says so:
  //   M USB 2400, V VFOB, T 1   the dummy has these; ours answers -11, like a rig without them
  //   \dump_state               the receiver's own band, modes and abilities
  //   F with no frequency       rigctld waits for it on the next line; ours answers -1 at once
  //   an unknown command        rigctld says nothing; ours answers -11
  rigctld.terminate();
  rigctld.waitForFinished(3000);
}

TEST_F(ControlPort, TheSameFrequencyAgainSendsNothing) {
  auto client = Connect();
  EXPECT_EQ(Ask(*client, "F 1000000\n"), "RPRT 0\n");
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(Ask(*client, "F 1000400\nf\n"), "RPRT 0\n1000000\n");
}

TEST_F(ControlPort, GarbageEndlessLinesAndHalfCommandsNeitherTuneNorStopTheProgram) {
  auto client = Connect();
  EXPECT_EQ(Ask(*client, QByteArray("\x00\xff\x80garbage\n", 11)), "RPRT -1\n");
  EXPECT_EQ(Ask(*client, "F 7000"), "");  // half a line: waited for
  EXPECT_EQ(Ask(*client, "000\n"), "RPRT 0\n");
  EXPECT_EQ(form->HScroll1->value(), 7000);

  auto endless = Connect();
  endless->write(QByteArray(2000, 'F'));
  EXPECT_TRUE(WaitForClose(*endless));

  auto vanishing = Connect();
  vanishing->write("F 9000000");  // no line end, but its input ends: done, as rigctld does
  vanishing->flush();
  vanishing->abort();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->HScroll1->value() == 9000; }));
  EXPECT_EQ(Ask(*client, "f\n"), "9000000\n");  // the first client is served on
}

TEST_F(ControlPort, EightClientsAreServedAndTheNinthIsRefusedPolitely) {
  std::vector<std::unique_ptr<QTcpSocket>> clients;
  for (int i = 0; i < 8; ++i) {
    clients.push_back(Connect());
    EXPECT_EQ(Ask(*clients.back(), "f\n"), "1000000\n") << i;
  }
  auto ninth = Connect();
  EXPECT_EQ(Ask(*ninth, ""), "RPRT -1\n");
  EXPECT_TRUE(WaitForClose(*ninth));
  clients.front()->disconnectFromHost();
  EXPECT_TRUE(WaitForClose(*clients.front()));
  QTest::qWait(50);
  auto another = Connect();
  EXPECT_EQ(Ask(*another, "f\n"), "1000000\n");
}

TEST_F(ControlPort, APortThatCannotBeBoundIsReportedAndTheProgramRunsOn) {
  const quint16 taken = control.server->Port();
  const auto second =
      app::StartRemoteControl(*form, QHostAddress(QHostAddress::LocalHost), taken,
                              [this](const QString& text) { harness.messages << text; });
  EXPECT_FALSE(second.server);
  ASSERT_EQ(harness.messages.size(), 1);
  EXPECT_TRUE(harness.messages[0].contains(QString::number(taken)));
}

}  // namespace
}  // namespace orx::testing
