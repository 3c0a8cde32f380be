// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Holds the Right key on the tuning scroll bar for 2 s, with the keyboard's auto-repeat every
// 40 ms delivered through Qt's event queue from another thread, as a real keyboard's events
// pile up while a word is on the wire. Prints how many frames start after the key is let go.
#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "link/module1.h"
#include "link/posix_sleeper.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "settings/pll_ini.h"
#include "ui/form1.h"

namespace {

constexpr auto kHeld = std::chrono::milliseconds(2000);
constexpr auto kRepeatEvery = std::chrono::milliseconds(40);
constexpr auto kSettle = std::chrono::milliseconds(1500);

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir folder;
  orx::link::SteadyClock clock;
  orx::link::PosixSleeper sleeper;
  orx::link::RecordingLineDevice device(clock);
  orx::link::Module1 link(device, clock, &sleeper);
  orx::ui::Form1 form(
      {link, orx::settings::SettingsFilePath(folder.path()), [](const QString&) {}});
  form.Form_Load();
  form.show();
  form.HScroll1->setFocus();
  device.ClearEvents();

  QInputDevice::primaryKeyboard();  // made here, in the thread that owns the application
  std::atomic<double> released_at{0};
  std::thread keyboard([&] {
    const auto post = [&](QEvent::Type type, bool repeat) {
      QCoreApplication::postEvent(
          form.HScroll1, new QKeyEvent(type, Qt::Key_Right, Qt::NoModifier, QString(), repeat));
    };
    const auto start = std::chrono::steady_clock::now();
    post(QEvent::KeyPress, false);
    int repeats = 0;
    while (std::chrono::steady_clock::now() - start < kHeld) {
      std::this_thread::sleep_until(start + kRepeatEvery * (++repeats));
      post(QEvent::KeyPress, true);
    }
    released_at = clock.ReadMilliseconds();
    post(QEvent::KeyRelease, false);
  });
  QTimer::singleShot(kHeld + kSettle, &application, &QCoreApplication::quit);
  application.exec();
  keyboard.join();

  int frames = 0;
  int after_release = 0;
  for (const auto& event : device.Events()) {
    if (event.operation != orx::link::RecordingLineDevice::Operation::kDtr || !event.level)
      continue;
    ++frames;
    if (event.time_ms > released_at) ++after_release;
  }
  std::printf(
      "key held %lld ms, repeats every %lld ms: %d frames, %d started after the release "
      "(target <= 1); tuned %d steps\n",
      static_cast<long long>(kHeld.count()), static_cast<long long>(kRepeatEvery.count()), frames,
      after_release, form.HScroll1->value() - 2000);
  form.close();
  return 0;
}
