// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "platform.h"

namespace orx::app {

namespace {

// Signals whose default action ends the process and that a program may catch. The faults of
// the program itself (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) are not among
// them: after one of those there is nothing safe to finish.
constexpr int kTerminating[] = {SIGTERM,   SIGINT,  SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ, SIGIO,   SIGPWR,  SIGSTKFLT};

int signal_pipe[2] = {-1, -1};
volatile std::sig_atomic_t signal_received = 0;

void OnSignal(int) {
  signal_received = 1;
  const int saved_errno = errno;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signal_pipe[1], &byte, 1);
  errno = saved_errno;
}

}  // namespace

bool DisplayAvailable() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  return false;
}

void KeepTheConsole() {}  // standard output is the terminal's already

void WriteText(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

void ArmTerminationSignals() {
  if (signal_pipe[0] >= 0) return;
  if (::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kTerminating) ::sigaction(signal, &action, nullptr);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) ::sigaction(signal, &action, nullptr);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, nullptr);
}

TerminationSignals::TerminationSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), on_signal_(std::move(on_signal)) {
  ArmTerminationSignals();
  if (signal_pipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signal_pipe[0], bytes, sizeof bytes) > 0) {
    }
    on_signal_();
  });
}

// The handlers stay: a second signal while the program ends must not kill it either.
TerminationSignals::~TerminationSignals() = default;

bool TerminationSignalArrived() {
  return signal_received != 0;
}

bool TerminationSignals::Received() const {
  return TerminationSignalArrived();
}

}  // namespace orx::app
