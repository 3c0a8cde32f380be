// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page's costs: how soon a change reaches ten open pages (the word's frame not counted:
// the link records instead of waiting), how large the page's files are together, and how much
// processor time five idle pages take.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "link/module1.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "remote/receiver_tuning.h"
#include "remote/tuning_turns.h"
#include "web/web_server.h"

namespace {

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The event loop, asleep whenever nothing is due.
void Run(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

void RunUntil(const int& count, int wanted) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (count >= wanted) loop.quit();
  });
  check.start(0);
  loop.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder;
  orx::link::SteadyClock clock;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock);
  orx::receiver::Receiver receiver(link, {folder.filePath("pll.ini"), QString()});
  receiver.OpenPort("COM2");
  orx::remote::ReceiverTuning tuning(receiver);
  orx::remote::TuningTurns turns;
  orx::web::WebServer server(tuning, turns, true, {});
  if (!server.Listen(QHostAddress(QHostAddress::LocalHost), 0)) return 1;

  qint64 total = 0;
  for (const char* path : {"/", "/page.css", "/page.js", "/icon.svg"})
    total += orx::web::WebServer::File(QString::fromLatin1(path)).size();
  std::printf("the page's files together: %.1f KB (target at most 100 KB)\n", total / 1024.0);

  const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(server.Port());
  std::vector<std::unique_ptr<QWebSocket>> pages;
  int received = 0;
  for (int n = 0; n < 10; ++n) {
    auto page = std::make_unique<QWebSocket>(origin);
    QObject::connect(page.get(), &QWebSocket::textMessageReceived, [&received] { ++received; });
    page->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(server.Port())));
    pages.push_back(std::move(page));
  }
  RunUntil(received, 10);

  std::vector<double> delays;
  for (int round = 0; round < 50; ++round) {
    device.ClearEvents();
    received = 0;
    receiver.TuneTo(1000 + round % 2 * 10);
    // From the end of the word's frame: the state went out before it.
    QElapsedTimer timer;
    timer.start();
    RunUntil(received, 10);
    delays.push_back(timer.nsecsElapsed() / 1e6);
    Run(5);
  }
  std::sort(delays.begin(), delays.end());
  std::printf("a change reaches ten pages: median %.2f ms, slowest %.2f ms (target median 50 ms)\n",
              delays[delays.size() / 2], delays.back());

  pages.resize(5);
  Run(500);
  const double before = ProcessorSeconds();
  Run(10000);
  std::printf("five idle pages for 10 s: %.1f ms of processor time (target none: no polling)\n",
              (ProcessorSeconds() - before) * 1000);
  return 0;
}
