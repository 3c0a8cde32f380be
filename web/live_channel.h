// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <variant>

#include "remote/receiver_tuning.h"
#include "remote/tuning_turns.h"
#include "web/page_messages.h"

class QWebSocket;

namespace orx::web {

// The live connection of every open page to the one receiver. Each page is sent the whole
// state when it connects and again at every change, wherever the change came from. What a page
// asks is done by the receiver's own rules and answered to that page in the window's words. A
// tuning waits its turn with the control port's; while it waits, a newer one from the same page
// takes its place, so that held buttons never queue stale words. A page that sends too much is
// slowed, and one that stops reading is sent nothing more until it has caught up, then the
// state as it is by then.
class LiveChannel : public QObject {
 public:
  static constexpr int kMaximumPages = 16;
  static constexpr qint64 kUnsentBound = 64 * 1024;
  static constexpr int kMessagesPerSecond = 20;
  static constexpr int kMessageBurst = 40;
  static constexpr std::chrono::seconds kPingInterval{30};
  // The time that the rates are measured by.
  using Now = std::function<std::chrono::steady_clock::time_point()>;

  // `stores`: whether pages may store presets and band limits (the service keeps none).
  LiveChannel(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
              Now now = &std::chrono::steady_clock::now, QObject* parent = nullptr);
  ~LiveChannel() override;

  // How often each page is asked whether it is still there (kPingInterval unless told).
  void SetPingInterval(std::chrono::milliseconds interval) { ping_timer_.setInterval(interval); }

  bool Full() const { return PageCount() >= kMaximumPages; }
  // Takes a page's upgraded connection.
  void Add(std::unique_ptr<QWebSocket> socket);
  int PageCount() const { return static_cast<int>(pages_.size()); }

 private:
  using Tuning = std::variant<TuneTo, RecallPreset>;
  struct Page {
    QPointer<QWebSocket> socket;
    std::optional<Tuning> pending;  // the newest tuning asked for, waiting its turn
    bool waiting = false;
    bool stale = false;  // a change it was not sent while it did not read
    bool alive = true;   // answered since the last ping
    double tokens = kMessageBurst;
    std::chrono::steady_clock::time_point refilled;
    std::optional<std::chrono::steady_clock::time_point> flood_told;
  };
  using PagePtr = std::shared_ptr<Page>;

  void Receive(const PagePtr& page, const QString& message);
  bool WithinRate(Page& page);
  void Ask(const PagePtr& page, const PageCommand& command);
  bool TuneInTurn(const PagePtr& page);
  void Say(Page& page, const QString& text, bool refused);
  void Send(Page& page, const QByteArray& message);
  void PushState();
  void SchedulePush();
  void Ping();
  void Forget(Page* page);

  remote::ReceiverTuning& tuning_;
  receiver::Receiver& receiver_;
  remote::TuningTurns& turns_;
  bool stores_;
  Now now_;
  std::list<PagePtr> pages_;
  bool push_scheduled_ = false;
  QTimer ping_timer_;
};

}  // namespace orx::web
