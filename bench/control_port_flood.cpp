// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One client floods the control port with a million "f" and never reads a reply. How long does
// another client wait for its "f" and for its "F" (answered once the word is on the wire), and how
// much does the server grow? The receiver service and Hamlib's rigctld (dummy rig) side by side.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/platform.h"
#include "app/service.h"
#include "link/module1.h"
#include "link/recording_line_device.h"
#include "link/system_link.h"

namespace {

constexpr int kFloodCommands = 1'000'000;
constexpr int kRounds = 10;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int Connect(int port, int receive_buffer = 0) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (receive_buffer > 0)
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  close(fd);
  return -1;
}

std::string ReadLine(int fd) {
  std::string line;
  char c = 0;
  while (recv(fd, &c, 1, 0) == 1 && c != '\n') line += c;
  return line;
}

// How long `command` takes to be answered on `fd`.
double Ask(int fd, const std::string& command) {
  const auto start = Clock::now();
  send(fd, command.data(), command.size(), MSG_NOSIGNAL);
  ReadLine(fd);
  return MillisecondsSince(start);
}

long ResidentKilobytes(pid_t pid, const char* field = "VmRSS:") {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string name; status >> name;) {
    long value = 0;
    if (name == field && status >> value) return value;
  }
  return -1;
}

struct Figures {
  double worst_read_ms = 0;
  double worst_tune_ms = 0;
  long growth_kb = 0;
  long flood_sent_kb = 0;
};

Figures Measure(pid_t server, int port) {
  Figures figures;
  const int other = Connect(port);
  Ask(other, "f\n");
  const long before = ResidentKilobytes(server);

  const int flooder = Connect(port, 4096);
  std::string flood;
  const int commands = getenv("ORX_BENCH_FLOOD") ? atoi(getenv("ORX_BENCH_FLOOD")) : kFloodCommands;
  for (int i = 0; i < commands; ++i) flood += "f\n";
  size_t sent = 0;
  std::thread flooding([&] {
    while (sent < flood.size()) {
      const auto n = send(flooder, flood.data() + sent, flood.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<size_t>(n);
    }
  });
  std::this_thread::sleep_for(std::chrono::seconds(1));
  for (int round = 0; round < kRounds; ++round) {
    figures.worst_read_ms = std::max(figures.worst_read_ms, Ask(other, "f\n"));
    const std::string tune = "F " + std::to_string(7'000'000 + (round + 1) * 1000) + "\n";
    const double tuned = Ask(other, tune);
    if (getenv("ORX_BENCH_VERBOSE")) std::printf("  F %.1f ms\n", tuned);
    figures.worst_tune_ms = std::max(figures.worst_tune_ms, tuned);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  figures.growth_kb = ResidentKilobytes(server) - before;
  figures.flood_sent_kb = static_cast<long>(sent / 1024);
  shutdown(flooder, SHUT_RDWR);
  flooding.join();
  close(flooder);
  close(other);
  return figures;
}

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

// The receiver service on the real clock, a recording line device standing in for the port.
int Serve(int argc, char* argv[]) {
  orx::app::ArmTerminationSignals();
  QCoreApplication application(argc, argv);
  // The program's own clock and 1 ms wait; only the port is a stand-in.
  const auto clock = orx::link::MakeHighResolutionClock();
  const auto sleeper = orx::link::MakeHighResolutionSleeper(*clock);
  orx::link::RecordingLineDevice device(*clock);
  orx::link::Module1 link(device, *clock, sleeper.get());
  orx::app::ServiceSetup setup;
  setup.settings_file = QString::fromLocal8Bit(argv[2]);
  setup.port_name = "COM2:";
  setup.address = QHostAddress(QHostAddress::LocalHost);
  setup.rigctld_port = static_cast<quint16>(std::stoi(argv[3]));
  setup.tell = [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); };
  return orx::app::RunService(setup, link);
}

pid_t Start(const std::vector<std::string>& arguments) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void Report(const char* server, const Figures& figures) {
  std::printf("%-24s %10.1f %10.1f %12ld %12ld\n", server, figures.worst_read_ms,
              figures.worst_tune_ms, figures.growth_kb, figures.flood_sent_kb);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 4 && std::string(argv[1]) == "serve") return Serve(argc, argv);
  signal(SIGPIPE, SIG_IGN);
  QTemporaryDir folder;
  const std::string ini = folder.filePath("pll.ini").toStdString();
  std::ofstream(ini) << "[Freq]\nF1=7000\n[Nastavitve]\nmin=100\nmax=30000\n";

  std::printf("one client sends %d \"f\" and reads nothing; another client, %d rounds:\n",
              kFloodCommands, kRounds);
  std::printf("%-24s %10s %10s %12s %12s\n", "server", "f (ms)", "F (ms)", "growth (KiB)",
              "flood in (KiB)");
  const int ours_port = FreePort();
  const pid_t ours = Start({argv[0], "serve", ini, std::to_string(ours_port)});
  Report("orx-frekvenca service", Measure(ours, ours_port));
  kill(ours, SIGTERM);
  waitpid(ours, nullptr, 0);

  const int hamlib_port = FreePort();
  const pid_t hamlib =
      Start({"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(hamlib_port)});
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int status = 0;
  if (waitpid(hamlib, &status, WNOHANG) != 0) {
    std::printf("%-24s (not installed)\n", "rigctld -m 1");
    return 0;
  }
  Report("rigctld -m 1", Measure(hamlib, hamlib_port));
  kill(hamlib, SIGTERM);
  waitpid(hamlib, nullptr, 0);
  std::printf(
      "F includes the word's frame on the wire (70 ms) for the service, none for the "
      "dummy rig.\n");
  return 0;
}
