#pragma once

#include <QObject>
#include <functional>

namespace orx::app {

// Whether a graphical session can be reached: a display, a Wayland socket, or a Qt platform
// chosen by hand (offscreen, for instance).
bool DisplayAvailable();

// Turns SIGTERM, SIGINT and SIGHUP into a call of `on_signal` from the event loop, so that a
// word frame in progress always finishes before the program closes.
class TerminationSignals : public QObject {
 public:
  explicit TerminationSignals(std::function<void()> on_signal, QObject* parent = nullptr);
  ~TerminationSignals() override;

  // True once one of the signals has arrived, even before the event loop saw it.
  bool Received() const;

 private:
  std::function<void()> on_signal_;
};

}  // namespace orx::app
