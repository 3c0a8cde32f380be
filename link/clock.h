#pragma once

namespace orx::link {

// A steadily rising time source in milliseconds. Word frames are timed by spinning on it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double ReadMilliseconds() = 0;
};

}  // namespace orx::link
