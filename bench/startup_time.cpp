// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times start-up as the user sees it: from the start of the load to the window shown, split
// into the word frames (70 ms each by design) and everything else; and the peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "link/module1.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "settings/pll_ini.h"
#include "ui/form1.h"

namespace {

constexpr int kRuns = 5;

// A full pll.ini of a user who left the program on preset 3.
void WriteSettings(const QString& folder) {
  QFile file(orx::settings::SettingsFilePath(folder));
  if (!file.open(QIODevice::WriteOnly)) return;
  QByteArray ini = "[Freq]\n";
  for (int n = 1; n <= 16; ++n)
    ini += "F" + QByteArray::number(n) + "=" + QByteArray::number(1000 * n) + "\n";
  ini += "[Nastavitve]\n";
  for (int n = 1; n <= 16; ++n)
    ini += "M" + QByteArray::number(n) + (n == 3 ? "=True\n" : "=False\n");
  ini += "min=0\nmax=24000\n[Opombe]\n";
  for (int n = 1; n <= 16; ++n)
    ini += "T" + QByteArray::number(n) + "=Opomba " + QByteArray::number(n) + "\n";
  file.write(ini);
}

// Time spent inside word frames, from the first to the last line operation of each.
double FrameMilliseconds(const std::vector<orx::link::RecordingLineDevice::Event>& events) {
  constexpr size_t kOperationsPerFrame = 57;
  double total = 0;
  size_t frame_start = 0;
  size_t line_operations = 0;
  for (size_t i = 0; i < events.size(); ++i) {
    using Operation = orx::link::RecordingLineDevice::Operation;
    if (events[i].operation == Operation::kOpen || events[i].operation == Operation::kClose)
      continue;
    if (line_operations++ % kOperationsPerFrame == 0) frame_start = i;
    if (line_operations % kOperationsPerFrame == 0)
      total += events[i].time_ms - events[frame_start].time_ms;
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir folder;
  WriteSettings(folder.path());

  std::printf("%-6s %10s %10s %10s %8s\n", "run", "total ms", "frames ms", "other ms", "frames");
  for (int run = 1; run <= kRuns; ++run) {
    orx::link::SteadyClock clock;
    orx::link::RecordingLineDevice device(clock);
    orx::link::Module1 link(device, clock);
    QElapsedTimer timer;
    timer.start();
    orx::ui::Form1 form(
        {link, orx::settings::SettingsFilePath(folder.path()), [](const QString&) {}});
    form.Form_Load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) std::printf("window not exposed\n");
    const double total = timer.nsecsElapsed() / 1e6;
    const double frames = FrameMilliseconds(device.Events());
    std::printf("%-6d %10.1f %10.1f %10.1f %8zu\n", run, total, frames, total - frames,
                (device.Events().size() - 1) / 57);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %.1f MiB\n", usage.ru_maxrss / 1024.0);
  return 0;
}
