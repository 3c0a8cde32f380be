// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A child process for the tests that need one: a write under a file-size limit, or the
// window on the recording link and the real clock, ended by a signal.
//
//   orx_test_child write-ini FILE SECTION KEY VALUE   exit 0 when written, 3 when refused, with
//                                                     the window's message on standard error
//   orx_test_child write-keys FILE PREFIX COUNT       stores keys PREFIX1 .. PREFIXCOUNT one by
//                                                     one; exit 0 when every one was written
//   orx_test_child window FILE EVENTS                 tunes without pause until closed, then
//                                                     writes every line operation to EVENTS
//   orx_test_child screen FILE EVENTS                 the window on the recording link, used
//                                                     as a person would until Izhod or a signal
//   orx_test_child grab FILE IMAGE [store-panel]      the window shown, grabbed into IMAGE (PNG);
//                                                     with the store panel open when asked
//   orx_test_child service FILE EVENTS [ADDR [LIST]]  the receiver with no window on the
//                                                     recording link, its control port on a free
//                                                     port that it prints; until a signal. On
//                                                     ADDR (127.0.0.1), serving only LIST
//   orx_test_child window-rigctld FILE EVENTS [ADDR [LIST]]
//                                                     the window with its control port, announced
//                                                     as "port N"; EVENTS written at the close
//   In both, with ORX_TEST_WEB_ADDRESS set, the web page too, on a free port of that address (or
//   on ORX_TEST_WEB_PORT) that is announced as "web N", its key in ORX_TEST_WEB_KEY_FILE.
//   orx_test_child box-signal FILE EVENTS             the port does not open, and SIGTERM
//                                                     arrives while the message box is up
//   orx_test_child read-box-signal FILE EVENTS        FILE cannot be read, and SIGTERM arrives
//                                                     while the box that says so is up
//   orx_test_child load-signal FILE EVENTS            the same, but SIGTERM arrives during the
//                                                     load's first word; prints "shown" if the
//                                                     window ever shows
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <optional>

#include "app/platform.h"
#include "app/program.h"
#include "app/remote_control.h"
#include "app/service.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "remote/allow_list.h"
#include "settings/bas_ini_file.h"
#include "ui/form_texts.h"

namespace {

constexpr int kRefused = 3;

// The control port's address and allow list, from the arguments after FILE and EVENTS.
struct ControlPortArguments {
  QHostAddress address = QHostAddress(QHostAddress::LocalHost);
  std::optional<orx::remote::AllowList> allow;
};

ControlPortArguments ControlPortFrom(int argc, char* argv[]) {
  ControlPortArguments arguments;
  if (argc > 4) arguments.address = QHostAddress(QString::fromLocal8Bit(argv[4]));
  if (argc > 5) arguments.allow = orx::remote::AllowList::Parse(argv[5]).list;
  return arguments;
}
constexpr int kUsage = 64;

std::optional<orx::app::WebOptions> WebFromEnvironment() {
  if (!qEnvironmentVariableIsSet("ORX_TEST_WEB_ADDRESS")) return std::nullopt;
  orx::app::WebOptions web;
  web.port = static_cast<quint16>(qEnvironmentVariableIntValue("ORX_TEST_WEB_PORT"));
  web.address = QHostAddress(qEnvironmentVariable("ORX_TEST_WEB_ADDRESS"));
  web.key_file = qEnvironmentVariable("ORX_TEST_WEB_KEY_FILE");
  return web;
}

void AnnounceWeb(quint16 port) {
  std::printf("web %u\n", port);
  std::fflush(stdout);
}

// A refusal is said on standard error as the window says it.
int WriteIni(char* argv[]) {
  const auto written =
      orx::settings::basIniFile::WriteIniKeys(argv[2], {{argv[3], argv[4], argv[5]}});
  if (written) return 0;
  std::fputs(qPrintable(orx::ui::texts::WriteFailed(argv[2], written)), stderr);
  return kRefused;
}

// Prints "shown" when the window it watches shows.
class ShowWatch : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      std::puts("shown");
      std::fflush(stdout);
    }
    return false;
  }
};

int WriteKeys(char* argv[]) {
  const int count = QByteArray(argv[4]).toInt();
  bool written = true;
  for (int i = 1; i <= count; ++i) {
    const QString key = QString::fromLocal8Bit(argv[3]) + QString::number(i);
    written &= orx::settings::basIniFile::WriteIni(argv[2], "Freq", key, QString::number(i));
  }
  return written ? 0 : kRefused;
}

// How the window runs: tuned back and forth without pause, with a signal at one of two moments,
// or left to the keyboard and mouse.
enum class Run { kTuning, kSignalInLoad, kSignalInMessageBox, kSignalInReadFailureBox, kByHand };

void WriteEvents(const orx::link::RecordingLineDevice& device, const char* path) {
  QFile out(QString::fromLocal8Bit(path));
  if (!out.open(QIODevice::WriteOnly)) return;
  for (const auto& event : device.Events()) {
    out.write(QByteArray::number(event.time_ms, 'f', 6) + ' ' +
              QByteArray::number(static_cast<int>(event.operation)) + ' ' +
              QByteArray::number(event.level) + ' ' + QByteArray::number(event.device_open) + '\n');
  }
}

int Grab(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orx::link::SteadyClock clock;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock);
  orx::ui::Form1 form({link, QString::fromLocal8Bit(argv[2]), [](const QString&) {}});
  form.Form_Load();
  form.show();
  if (argc > 4 && QByteArray(argv[4]) == "store-panel") form.Mem_Click();
  QCoreApplication::processEvents();
  return form.grab().save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : kUsage;
}

int Service(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  orx::link::SteadyClock clock;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock);
  orx::app::ServiceSetup setup;
  setup.settings_file = QString::fromLocal8Bit(argv[2]);
  setup.port_name = "COM2:";
  const ControlPortArguments control_port = ControlPortFrom(argc, argv);
  setup.address = control_port.address;
  setup.allow = control_port.allow;
  setup.tell = [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); };
  setup.listening = [](quint16 port) {
    std::printf("port %u\n", port);
    std::fflush(stdout);
  };
  if (const auto web = WebFromEnvironment()) setup.web = *web;
  if (qEnvironmentVariableIsSet("ORX_TEST_NO_CONTROL_PORT")) setup.rigctld_port.reset();
  setup.web_listening = AnnounceWeb;
  const int status = orx::app::RunService(setup, link);
  WriteEvents(device, argv[3]);
  return status;
}

int Window(int argc, char* argv[], Run run) {
  QApplication application(argc, argv);
  orx::link::SteadyClock clock;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock);
  // A message box waits in an event loop of its own; the signal comes while it does.
  const auto message_box = [run](const QString&) {
    if (run != Run::kSignalInMessageBox && run != Run::kSignalInReadFailureBox) return;
    std::raise(SIGTERM);
    QEventLoop box;
    QTimer::singleShot(100, &box, &QEventLoop::quit);
    box.exec();
  };
  if (run == Run::kSignalInMessageBox) device.SetOpenSucceeds(false);
  orx::ui::Form1 form({link, QString::fromLocal8Bit(argv[2]), message_box});
  ShowWatch watch;
  form.installEventFilter(&watch);
  bool raised = false;
  if (run == Run::kSignalInLoad) {
    device.SetObserver([&raised](const auto& event) {
      if (raised || !event.device_open ||
          event.operation != orx::link::RecordingLineDevice::Operation::kDtr)
        return;
      raised = true;
      std::raise(SIGTERM);
    });
  }

  // Frames back to back, so that a signal lands inside one.
  QTimer tuning;
  QObject::connect(&tuning, &QTimer::timeout, &form, [&form] {
    form.HScroll1->setValue(form.HScroll1->value() == 1000 ? 1001 : 1000);
    std::puts("frame");
    std::fflush(stdout);
  });
  if (run != Run::kByHand) tuning.start(0);
  const int status = orx::app::RunWindow(form);

  WriteEvents(device, argv[3]);
  return status;
}

// The window with its control port on a free port, announced as the service announces it.
int WindowWithControlPort(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orx::link::SteadyClock clock;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock);
  orx::ui::Form1 form({link, QString::fromLocal8Bit(argv[2]), [](const QString&) {}});
  orx::app::RemoteControl remote;
  const ControlPortArguments control_port = ControlPortFrom(argc, argv);
  const int status = orx::app::RunWindow(form, [&] {
    remote = orx::app::StartRemoteControl(
        form, control_port.address, 0, [](const QString&) {}, control_port.allow);
    std::printf("port %u\n", remote.server ? remote.server->Port() : 0);
    std::fflush(stdout);
    if (const auto web = WebFromEnvironment()) {
      orx::app::StartWebPage(remote, form, *web, [](const QString& why) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
      });
      if (remote.web) AnnounceWeb(remote.web->Port());
    }
  });
  WriteEvents(device, argv[3]);
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  const QByteArray mode = argc > 1 ? argv[1] : "";
  if (mode == "write-ini" && argc == 6) return WriteIni(argv);
  if (mode == "write-keys" && argc == 5) return WriteKeys(argv);
  orx::app::ArmTerminationSignals();
  if (mode == "window" && argc == 4) return Window(argc, argv, Run::kTuning);
  if (mode == "load-signal" && argc == 4) return Window(argc, argv, Run::kSignalInLoad);
  if (mode == "service" && argc >= 4 && argc <= 6) return Service(argc, argv);
  if (mode == "window-rigctld" && argc >= 4 && argc <= 6) return WindowWithControlPort(argc, argv);
  if (mode == "screen" && argc == 4) return Window(argc, argv, Run::kByHand);
  if (mode == "grab" && (argc == 4 || argc == 5)) return Grab(argc, argv);
  if (mode == "box-signal" && argc == 4) return Window(argc, argv, Run::kSignalInMessageBox);
  if (mode == "read-box-signal" && argc == 4)
    return Window(argc, argv, Run::kSignalInReadFailureBox);
  std::fputs("usage: orx_test_child write-ini FILE SECTION KEY VALUE | window FILE EVENTS\n",
             stderr);
  return kUsage;
}
