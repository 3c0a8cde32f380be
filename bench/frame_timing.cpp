// Times word frames on the real clock: frame length, single waits and their overshoot, and the
// same frame paced by sleep_for for comparison.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "link/module1.h"
#include "link/recording_line_device.h"
#include "link/steady_clock.h"
#include "link/word_frame.h"

namespace {

using orx::link::RecordingLineDevice;

constexpr int kFrames = 200;

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[index];
}

void PrintSpread(const char* what, const std::vector<double>& values, double scale,
                 const char* unit) {
  std::printf("%-28s median %9.3f  p99 %9.3f  max %9.3f  min %9.3f %s\n", what,
              Percentile(values, 0.5) * scale, Percentile(values, 0.99) * scale,
              *std::max_element(values.begin(), values.end()) * scale,
              *std::min_element(values.begin(), values.end()) * scale, unit);
}

}  // namespace

int main() {
  orx::link::SteadyClock clock;
  RecordingLineDevice device(clock);
  orx::link::Module1 port(device, clock);
  port.OpenPort("COM2:");

  std::vector<double> frames;
  for (int i = 0; i < kFrames; ++i) {
    device.ClearEvents();
    orx::link::SendWord(port, 2000 + i);
    const auto& events = device.Events();
    frames.push_back(events.back().time_ms - events.front().time_ms);
  }

  std::vector<double> waits;
  for (int i = 0; i < kFrames * orx::link::kFrameWaits; ++i) {
    const double start = clock.ReadMilliseconds();
    port.BusyWait(orx::link::kWaitUnit);
    waits.push_back(clock.ReadMilliseconds() - start);
  }
  std::vector<double> overshoot;
  for (double wait : waits) overshoot.push_back(wait - orx::link::kWaitUnit);

  std::vector<double> slept_frames;
  for (int i = 0; i < kFrames / 10; ++i) {
    const double start = clock.ReadMilliseconds();
    for (int w = 0; w < orx::link::kFrameWaits; ++w) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    slept_frames.push_back(clock.ReadMilliseconds() - start);
  }

  std::printf("Busy-wait frames: %d frames, %d waits timed alone\n", kFrames,
              static_cast<int>(waits.size()));
  PrintSpread("frame length", frames, 1.0, "ms");
  PrintSpread("single wait", waits, 1.0, "ms");
  PrintSpread("wait overshoot", overshoot, 1000.0, "us");
  std::printf("shortest wait %s 1.000 ms\n",
              *std::min_element(waits.begin(), waits.end()) >= 1.0 ? ">=" : "UNDER");
  PrintSpread("frame paced by sleep_for", slept_frames, 1.0, "ms");
  std::printf("sleep_for frame / busy-wait frame (medians): %.3f\n",
              Percentile(slept_frames, 0.5) / Percentile(frames, 0.5));
  return 0;
}
