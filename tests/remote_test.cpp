// The control port against Debian's own Hamlib client, and against a client of ours for what
// a real one never sends: garbage, endless lines, too many connections, half commands.
#include <gtest/gtest.h>

#include <QHostAddress>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>

#include "app/remote_control.h"
#include "remote/rigctl_session.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

// A receiver tuned between 100 and 30000 kHz, as the protocol sees it.
struct FakeTuning : remote::TuningTarget {
  int ShownKilohertz() const override { return shown; }
  int LowestKilohertz() const override { return lowest; }
  int HighestKilohertz() const override { return 30000; }
  void TuneTo(int kilohertz) override {
    shown = kilohertz;
    tuned << kilohertz;
  }
  int shown = 7000;
  int lowest = 100;
  QList<int> tuned;
};

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
      {"", "RPRT -1\n"},
      {"\x01\x7f\xff", "RPRT -1\n"},
      {"q", "RPRT 0\n"},
  };
  for (const Case& c : cases) {
    FakeTuning tuning;
    remote::RigctlSession session(tuning);
    EXPECT_EQ(session.Handle(c.line).text, QByteArray(c.reply)) << c.line;
    EXPECT_TRUE(tuning.tuned.isEmpty()) << c.line;
  }
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
    (void)QTest::qWaitFor(
        [&] {
          reply += socket.readAll();
          return reply.endsWith('\n');
        },
        bytes.endsWith('\n') || bytes.isEmpty() ? 2000 : 100);
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

TEST_F(ControlPort, SetFrequencyAnswersOnlyOnceItsWordIsOnTheWire) {
  app::FormTuning tuning(*form);
  remote::RigctlSession session(tuning);
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
  vanishing->write("F 9000000");  // no line end: the command never completes
  vanishing->flush();
  vanishing->abort();
  QTest::qWait(50);
  EXPECT_EQ(form->HScroll1->value(), 7000);
  EXPECT_EQ(Ask(*client, "f\n"), "7000000\n");  // the first client is served on
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
