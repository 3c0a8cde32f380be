// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's life as main runs it: load before show, a message before the window, the
// port closed however the run ends, and termination signals that never cut a word.
#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/program.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

using Operation = link::RecordingLineDevice::Operation;

TEST(Program, LoadsBeforeShowingReportsBeforeTheWindowAndClosesThePortAtTheEnd) {
  FormHarness harness;
  harness.device.SetOpenSucceeds(false);
  harness.WriteIni("[Freq]\nF1=7000\n");
  auto& form = harness.Create();
  bool shown_loaded = false;
  QTimer::singleShot(0, &form, [&] {
    shown_loaded = form.isVisible() && form.Label1->text() == "7000";
    form.close();
  });
  EXPECT_EQ(app::RunWindow(form), 0);
  EXPECT_TRUE(shown_loaded);
  EXPECT_EQ(harness.window_shown_at_message, QList<bool>{false});
  EXPECT_EQ(harness.WordsFramed(), (std::vector<uint16_t>{7012, 0x8505, 7012}));
  EXPECT_EQ(harness.device.Events().back().operation, Operation::kClose);
}

TEST(Program, AnEventLoopEndedWithoutACloseStillClosesThePort) {
  FormHarness harness;
  auto& form = harness.Create();
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  app::RunWindow(form);
  EXPECT_FALSE(harness.device.IsOpen());
}

std::vector<Event> ReadEvents(const QString& events_file) {
  std::vector<Event> events;
  for (const QByteArray& line : ReadBytes(events_file).split('\n')) {
    const auto fields = line.split(' ');
    if (fields.size() != 4) continue;
    events.push_back({fields[0].toDouble(), static_cast<Operation>(fields[1].toInt()),
                      fields[2] == "1", fields[3] == "1"});
  }
  return events;
}

bool NothingReachesTheDeviceAfterTheClose(const std::vector<Event>& events) {
  const auto close = std::find_if(events.begin(), events.end(),
                                  [](const Event& e) { return e.operation == Operation::kClose; });
  return close != events.end() &&
         std::none_of(close + 1, events.end(), [](const Event& e) { return e.device_open; });
}

// Runs the child in `mode` on `ini` to its end: how it ended, what it printed, what it did to
// the line device.
struct ChildEnd {
  bool ended_normally = false;
  int exit_code = -1;
  QByteArray output;
  std::vector<Event> events;
};
ChildEnd RunChild(const QString& mode, const QString& ini, const QString& events_file) {
  QProcess child;
  child.start(ORX_TEST_CHILD, {mode, ini, events_file});
  ChildEnd end;
  if (!child.waitForFinished(10000)) return end;
  end.ended_normally = child.exitStatus() == QProcess::NormalExit;
  end.exit_code = child.exitCode();
  end.output = child.readAllStandardOutput();
  end.events = ReadEvents(events_file);
  return end;
}

TEST(Program, ASignalWhileTheStartUpMessageWaitsSendsNothingAfterTheClose) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=1000\n");
  const ChildEnd end = RunChild("box-signal", ini, folder.filePath("events"));
  ASSERT_TRUE(end.ended_normally);
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_FALSE(end.output.contains("shown"));
  const auto& events = end.events;
  const auto close = std::find_if(events.begin(), events.end(),
                                  [](const Event& e) { return e.operation == Operation::kClose; });
  ASSERT_NE(close, events.end());
  EXPECT_EQ(close + 1, events.end()) << "frames after the close";
}

// pll.ini cannot be read, and the signal comes while the box that says so waits: the port is
// closed at the end and nothing reaches it afterwards, and the file stays as it is.
TEST(Program, ASignalWhileTheReadFailureMessageWaitsSendsNothingAfterTheClose) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  ASSERT_TRUE(QDir(folder.path()).mkdir("pll.ini"));  // a folder where the file should be
  const ChildEnd end = RunChild("read-box-signal", ini, folder.filePath("events"));
  ASSERT_TRUE(end.ended_normally);
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_FALSE(end.output.contains("shown"));
  const auto& events = end.events;
  EXPECT_TRUE(NothingReachesTheDeviceAfterTheClose(events));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().operation, Operation::kClose);
  EXPECT_TRUE(QFileInfo(ini).isDir());
}

// The program itself with its standard error a pipe that nobody reads: its first message
// must not end it.
TEST(Program, AClosedStandardErrorNeverEndsTheProgram) {
  QTemporaryDir folder;
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  close(pipe_ends[0]);
  QProcess program;
  program.setChildProcessModifier([write_end = pipe_ends[1]] { dup2(write_end, STDERR_FILENO); });
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(environment);
  program.start(ORX_PROGRAM, {"--settings", folder.filePath("pll.ini"), "--port",
                              folder.filePath("no-such-port")});
  close(pipe_ends[1]);
  ASSERT_TRUE(program.waitForStarted());
  EXPECT_FALSE(program.waitForFinished(1500));  // the message box waits for the user
  kill(static_cast<pid_t>(program.processId()), SIGTERM);
  kill(static_cast<pid_t>(program.processId()), SIGTERM);  // twice, at once
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

TEST(Program, ASignalDuringTheLoadEndsTheRunBeforeTheWindowEverShows) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  const QByteArray settings = "[Freq]\nF1=1000\n[Opombe]\nT1=x\n";
  WriteBytes(ini, settings);
  const ChildEnd end = RunChild("load-signal", ini, folder.filePath("events"));
  ASSERT_TRUE(end.ended_normally);
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_FALSE(end.output.contains("shown"));
  const auto& events = end.events;
  EXPECT_TRUE(NothingReachesTheDeviceAfterTheClose(events));
  EXPECT_EQ(WordsOf(ReceiveWords(events)), (std::vector<uint16_t>{0x8505, 1012}));
  EXPECT_EQ(ReadBytes(ini), settings);
}

// Whether a program's handler for `signal` runs here. On a kernel of the machine's own it always
// does; an emulator of another processor (qemu-user 10) takes a handler for the highest
// real-time signals, but keeps them for itself and never delivers them.
volatile sig_atomic_t delivered = 0;

bool Catchable(int signal) {
  struct sigaction probe {};
  probe.sa_handler = [](int caught) { delivered = caught; };
  sigemptyset(&probe.sa_mask);
  struct sigaction present {};
  if (::sigaction(signal, &probe, &present) != 0) return false;
  delivered = 0;
  ::raise(signal);
  for (int wait = 0; wait < 50 && delivered != signal; ++wait) ::usleep(1000);
  ::sigaction(signal, &present, nullptr);
  return delivered == signal;
}

std::string KeptBySystem(int signal) {
  return "signal " + std::to_string(signal) +
         " never arrives here: its handler is taken, but the system keeps the signal for itself "
         "(as qemu-user does with the highest real-time signals)";
}

// The window in a child process on the recording link and the real clock, tuning without a
// pause, ended by a signal while a word is on the wire.
class Signals : public ::testing::TestWithParam<int> {};

TEST_P(Signals, FinishTheWordInProgressCloseThePortAndWriteNothing) {
  if (!Catchable(GetParam())) GTEST_SKIP() << KeptBySystem(GetParam());
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  const QByteArray settings = "[Freq]\nF1=1000\n[Opombe]\nT1=x\n";
  WriteBytes(ini, settings);
  const QString events_file = folder.filePath("events");

  QProcess child;
  child.start(ORX_TEST_CHILD, {"window", ini, events_file});
  ASSERT_TRUE(child.waitForStarted());
  QByteArray output;
  while (child.state() == QProcess::Running && output.count("frame") < 3) {
    child.waitForReadyRead(1000);
    output += child.readAllStandardOutput();
  }
  kill(static_cast<pid_t>(child.processId()), GetParam());
  ASSERT_TRUE(child.waitForFinished(5000));
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0);

  const auto events = ReadEvents(events_file);
  EXPECT_TRUE(NothingReachesTheDeviceAfterTheClose(events));
  const auto lines_moved = std::count_if(events.begin(), events.end(), [](const Event& e) {
    return e.device_open && e.operation != Operation::kOpen && e.operation != Operation::kClose;
  });
  EXPECT_EQ(lines_moved % 57, 0) << "a word was cut after " << lines_moved % 57 << " operations";
  const auto words = ReceiveWords(events);
  EXPECT_GE(words.size(), 4u);
  EXPECT_EQ(static_cast<size_t>(lines_moved / 57), words.size());
  for (const auto& word : words) EXPECT_TRUE(word.closing_pulse);
  EXPECT_EQ(ReadBytes(ini), settings);
}

INSTANTIATE_TEST_SUITE_P(Termination, Signals,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2,
                                           SIGALRM, SIGPWR, SIGRTMIN, SIGRTMAX),
                         [](const auto& info) -> std::string {
                           if (info.param == SIGRTMIN) return "SIGRTMIN";
                           if (info.param == SIGRTMAX) return "SIGRTMAX";
                           return "SIG" + std::string(sigabbrev_np(info.param));
                         });

// Every signal whose default would end the program without a word of warning is caught, the
// real-time ones included, as the system itself reports for the running window.
TEST(SignalMask, EveryTerminatingSignalIsCaught) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("pll.ini");
  WriteBytes(ini, "[Freq]\nF1=1000\n");
  QProcess child;
  child.start(ORX_TEST_CHILD, {"window", ini, folder.filePath("events")});
  ASSERT_TRUE(child.waitForStarted());
  QByteArray output;
  while (child.state() == QProcess::Running && !output.contains("frame")) {
    child.waitForReadyRead(1000);
    output += child.readAllStandardOutput();
  }
  QFile status(QString("/proc/%1/status").arg(child.processId()));
  ASSERT_TRUE(status.open(QIODevice::ReadOnly));
  unsigned long long caught = 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("SigCgt:")) caught = line.mid(7).trimmed().toULongLong(nullptr, 16);
  std::vector<int> terminating = {SIGTERM, SIGINT,  SIGHUP,    SIGQUIT,  SIGUSR1,
                                  SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,  SIGXCPU,
                                  SIGXFSZ, SIGIO,   SIGPWR,    SIGSTKFLT};
  // Where the system keeps real-time signals for itself, /proc shows the emulator's own, which
  // numbers them its own way: those are checked by delivering them (the Signals tests) instead.
  bool emulated = false;
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
    if (!Catchable(signal)) {
      std::printf("%s\n", KeptBySystem(signal).c_str());
      emulated = true;
    }
  }
  if (emulated)
    std::printf("the real-time signals are left out here: /proc shows the emulator's numbering\n");
  else
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) terminating.push_back(signal);
  for (const int signal : terminating)
    EXPECT_TRUE(caught & (1ULL << (signal - 1))) << "signal " << signal << " is not caught";
  kill(static_cast<pid_t>(child.processId()), SIGTERM);
  ASSERT_TRUE(child.waitForFinished(5000));
  EXPECT_EQ(child.exitCode(), 0);
}

}  // namespace
}  // namespace orx::testing
