// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times word frames on the real clock, side by side for the three ways to wait 1 ms: the pure
// spin, the sleep-then-spin wait the program uses, and sleep_for. For each: frame length,
// single waits and their overshoot, and the processor time a frame costs.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "link/module1.h"
#include "link/posix_sleeper.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "link/word_frame.h"

namespace {

using orx::link::RecordingLineDevice;

constexpr int kFrames = 100;
constexpr int kSingleWaits = 5000;

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[index];
}

double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Waits as sleep_for does it: no spin at all, so it comes out long.
class SleepForSleeper : public orx::link::Sleeper {
 public:
  explicit SleepForSleeper(orx::link::Clock& clock) : clock_(clock) {}
  void SleepUntil(double deadline_ms) override {
    std::this_thread::sleep_for(
        std::chrono::duration<double, std::milli>(deadline_ms - clock_.ReadMilliseconds()));
  }

 private:
  orx::link::Clock& clock_;
};

struct Result {
  const char* name;
  std::vector<double> frames;
  std::vector<double> waits;
  double cpu_per_frame_ms = 0;
};

Result Measure(const char* name, orx::link::Clock& clock, orx::link::Sleeper* sleeper,
               bool spin_after_sleep) {
  RecordingLineDevice device(clock);
  orx::link::Module1 port(device, clock, sleeper);
  port.OpenPort("COM2:");
  Result result{name, {}, {}, 0};
  const auto wait = [&](double delay) {
    if (spin_after_sleep) {
      port.BusyWait(delay);
    } else {
      sleeper->SleepUntil(clock.ReadMilliseconds() + delay);
    }
  };

  const double cpu_before = ProcessCpuMs();
  for (int i = 0; i < kFrames; ++i) {
    const double start = clock.ReadMilliseconds();
    // The frame's own line operations, with this way of waiting between them.
    for (int w = 0; w < orx::link::kFrameWaits; ++w) wait(orx::link::kWaitUnit);
    result.frames.push_back(clock.ReadMilliseconds() - start);
  }
  result.cpu_per_frame_ms = (ProcessCpuMs() - cpu_before) / kFrames;
  for (int i = 0; i < kSingleWaits; ++i) {
    const double start = clock.ReadMilliseconds();
    wait(orx::link::kWaitUnit);
    result.waits.push_back(clock.ReadMilliseconds() - start);
  }
  return result;
}

void Print(const Result& r) {
  std::vector<double> overshoot_us;
  for (double wait : r.waits) overshoot_us.push_back((wait - orx::link::kWaitUnit) * 1000.0);
  std::printf("%-16s %8.3f %8.3f %8.3f   %8.4f %9.2f %9.2f   %8.2f\n", r.name,
              Percentile(r.frames, 0.5), Percentile(r.frames, 0.99),
              *std::max_element(r.frames.begin(), r.frames.end()),
              *std::min_element(r.waits.begin(), r.waits.end()), Percentile(overshoot_us, 0.5),
              Percentile(overshoot_us, 0.99), r.cpu_per_frame_ms);
}

}  // namespace

int main() {
  orx::link::SteadyClock clock;
  orx::link::PosixSleeper sleeper;
  SleepForSleeper sleep_for(clock);

  // A real frame through SendWord, to show the line operations cost nothing worth counting.
  {
    RecordingLineDevice device(clock);
    orx::link::Module1 port(device, clock, &sleeper);
    port.OpenPort("COM2:");
    orx::link::SendWord(port, orx::link::kControlWord);
    const auto& events = device.Events();
    std::printf("SendWord frame with the sleep-then-spin wait: %.3f ms, %zu line operations\n\n",
                events.back().time_ms - events.front().time_ms, events.size() - 1);
  }

  const Result results[] = {
      Measure("pure spin", clock, nullptr, true),
      Measure("sleep+spin", clock, &sleeper, true),
      Measure("sleep_for", clock, &sleep_for, false),
  };
  std::printf("%d frames of %d waits, then %d single waits, for each way of waiting\n", kFrames,
              orx::link::kFrameWaits, kSingleWaits);
  std::printf("%-16s %8s %8s %8s   %8s %9s %9s   %8s\n", "", "frame ms", "", "", "wait ms",
              "overshoot", "us", "CPU ms");
  std::printf("%-16s %8s %8s %8s   %8s %9s %9s   %8s\n", "way", "median", "p99", "max", "shortest",
              "median", "p99", "/frame");
  for (const Result& r : results) Print(r);
  // How late the timer itself wakes up: the tail the sleep-then-spin margin has to cover.
  std::vector<double> lateness_us;
  for (int i = 0; i < kSingleWaits; ++i) {
    const double deadline = clock.ReadMilliseconds() + 0.8;
    sleeper.SleepUntil(deadline);
    lateness_us.push_back((clock.ReadMilliseconds() - deadline) * 1000.0);
  }
  std::printf(
      "\ntimer wake-up lateness (%d sleeps): median %.1f  p99 %.1f  p99.9 %.1f  max %.1f us\n",
      kSingleWaits, Percentile(lateness_us, 0.5), Percentile(lateness_us, 0.99),
      Percentile(lateness_us, 0.999), *std::max_element(lateness_us.begin(), lateness_us.end()));
  std::printf(
      "targets for sleep+spin: CPU/frame <= 15 ms, median frame <= 70.2 ms, "
      "p99 overshoot <= 20 us, shortest wait >= 1.000 ms\n");
  return 0;
}
