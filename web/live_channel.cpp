// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "live_channel.h"

#include <QWebSocket>
#include <algorithm>

#include "ui/form_texts.h"
#include "web/page_state.h"

namespace orx::web {

namespace {

const QString kNoSynthesizer = QStringLiteral(
    "Sintetizator ni dosegljiv: beseda ni prišla do njega (vrata niso odprta ali ne sprejemajo "
    "ukazov).");
const QString kServiceStoresNothing =
    QStringLiteral("Storitev nastavitev ne shranjuje: spomine in meje shranite v oknu programa.");
const QString kTooMuch = QStringLiteral("Preveč sporočil naenkrat; nekatera niso bila izvedena.");

QString OutsideBand(int kilohertz, const receiver::Band& band) {
  return QStringLiteral("Frekvenca %1 kHz je izven meja %2–%3 kHz")
      .arg(kilohertz)
      .arg(band.lowest)
      .arg(band.highest);
}

}  // namespace

LiveChannel::LiveChannel(remote::ReceiverTuning& tuning, remote::TuningTurns& turns, bool stores,
                         Now now, QObject* parent)
    : QObject(parent),
      tuning_(tuning),
      receiver_(tuning.Receiver()),
      turns_(turns),
      stores_(stores),
      now_(std::move(now)) {
  using receiver::Receiver;
  // Shown before its word goes out, as the window shows it.
  connect(&receiver_, &Receiver::FrequencyChanged, this, &LiveChannel::PushState);
  for (const auto change :
       {&Receiver::BandChanged, &Receiver::FrequencyTextChanged, &Receiver::SelectionChanged})
    connect(&receiver_, change, this, &LiveChannel::SchedulePush);
  connect(&receiver_, &Receiver::NoteChanged, this, &LiveChannel::SchedulePush);
  connect(&receiver_, &Receiver::LinesRefused, this, &LiveChannel::SchedulePush);
  ping_timer_.setInterval(kPingInterval);
  connect(&ping_timer_, &QTimer::timeout, this, &LiveChannel::Ping);
}

LiveChannel::~LiveChannel() {
  for (const PagePtr& page : pages_) {
    if (page->socket) page->socket->disconnect(this);
  }
}

void LiveChannel::Add(std::unique_ptr<QWebSocket> owned) {
  QWebSocket* socket = owned.release();
  socket->setParent(this);
  connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
  socket->setMaxAllowedIncomingFrameSize(kLongestMessage);
  socket->setMaxAllowedIncomingMessageSize(kLongestMessage);
  // What a page sends beyond what is read is held back by the system, not kept here.
  socket->setReadBufferSize(4 * kLongestMessage);
  if (Full()) {
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                  QStringLiteral("Odprtih je že %1 strani.").arg(kMaximumPages));
    return;
  }
  auto page = std::make_shared<Page>();
  page->socket = socket;
  page->refilled = now_();
  pages_.push_back(page);
  Page* raw = page.get();
  connect(socket, &QObject::destroyed, this, [this, raw] { Forget(raw); });
  connect(socket, &QWebSocket::textMessageReceived, this,
          [this, weak = std::weak_ptr(page)](const QString& message) {
            if (const PagePtr p = weak.lock()) Receive(p, message);
          });
  connect(socket, &QWebSocket::binaryMessageReceived, this, [this, raw] {
    Say(*raw, QStringLiteral("Sporočilo ni ukaz, ki bi ga sprejemnik poznal."), true);
  });
  connect(socket, &QWebSocket::pong, this, [raw] { raw->alive = true; });
  connect(socket, &QWebSocket::bytesWritten, this, [this, raw] {
    if (raw->stale && raw->socket->bytesToWrite() <= kUnsentBound / 2) {
      raw->stale = false;
      Send(*raw, PageState(receiver_, stores_));
    }
  });
  if (!ping_timer_.isActive()) ping_timer_.start();
  Send(*page, PageState(receiver_, stores_));
}

void LiveChannel::Forget(Page* page) {
  pages_.remove_if([page](const PagePtr& p) { return p.get() == page; });
  if (pages_.empty()) ping_timer_.stop();
}

bool LiveChannel::WithinRate(Page& page) {
  const auto now = now_();
  const std::chrono::duration<double> elapsed = now - page.refilled;
  page.refilled = now;
  page.tokens = std::min<double>(kMessageBurst, page.tokens + elapsed.count() * kMessagesPerSecond);
  if (page.tokens >= 1) {
    page.tokens -= 1;
    return true;
  }
  // Said once a second at most, so that the answers cannot grow with the flood.
  if (!page.flood_told || now - *page.flood_told >= std::chrono::seconds(1)) {
    page.flood_told = now;
    Say(page, kTooMuch, true);
  }
  return false;
}

void LiveChannel::Receive(const PagePtr& page, const QString& message) {
  page->alive = true;
  if (!WithinRate(*page)) return;
  const ParsedMessage parsed = ParsePageMessage(message);
  if (!parsed.command) return Say(*page, parsed.refusal, true);
  Ask(page, *parsed.command);
}

void LiveChannel::Ask(const PagePtr& page, const PageCommand& command) {
  if (const auto* tune = std::get_if<TuneTo>(&command)) {
    if (!receiver_.CurrentBand().Holds(tune->kilohertz))
      return Say(*page, OutsideBand(tune->kilohertz, receiver_.CurrentBand()), true);
    page->pending = *tune;
  } else if (const auto* recall = std::get_if<RecallPreset>(&command)) {
    page->pending = *recall;
  } else if (!stores_) {
    return Say(*page, kServiceStoresNothing, true);
  } else if (const auto* store = std::get_if<StorePreset>(&command)) {
    tuning_.BeforeChange();
    const auto written = receiver_.StorePreset(store->preset, store->note);
    PushState();  // every page sees the change before this one is told it is done
    if (!written) return Say(*page, ui::texts::kWriteFailed, true);
    return Say(*page, ui::texts::PresetStored(store->preset, receiver_.FrequencyText()), false);
  } else if (const auto* limits = std::get_if<SaveBandLimits>(&command)) {
    tuning_.BeforeChange();
    const auto written = receiver_.SaveBandLimits(limits->lowest, limits->highest);
    PushState();
    if (!written) return Say(*page, ui::texts::kWriteFailed, true);
    const receiver::Band band = receiver_.CurrentBand();
    return Say(*page, ui::texts::BandLimitsSaved(band.lowest, band.highest, receiver_.Frequency()),
               false);
  }
  if (page->waiting) return;  // the newer one takes the older one's place
  page->waiting = true;
  turns_.Wait([self = QPointer(this), weak = std::weak_ptr(page)] {
    const PagePtr waiting = weak.lock();
    return self && waiting && self->TuneInTurn(waiting);
  });
}

bool LiveChannel::TuneInTurn(const PagePtr& page) {
  page->waiting = false;
  if (!page->pending || !page->socket) return false;
  const Tuning tuning = *std::exchange(page->pending, std::nullopt);
  tuning_.BeforeChange();
  if (const auto* tune = std::get_if<TuneTo>(&tuning)) {
    // The band may have changed while it waited.
    if (!receiver_.CurrentBand().Holds(tune->kilohertz)) {
      Say(*page, OutsideBand(tune->kilohertz, receiver_.CurrentBand()), true);
      return false;
    }
    if (!receiver_.TuneTo(tune->kilohertz)) Say(*page, kNoSynthesizer, true);
    return true;
  }
  const int n = std::get<RecallPreset>(tuning).preset;
  const receiver::Band band = receiver_.CurrentBand();
  switch (receiver_.RecallPreset(n)) {
    case receiver::Receiver::Recall::kEmpty:
      Say(*page, ui::texts::PresetEmpty(n), true);
      return false;
    case receiver::Receiver::Recall::kNotAFrequency:
      Say(*page, ui::texts::PresetNotAFrequency(n), true);
      return false;
    case receiver::Receiver::Recall::kOutsideBand:
      Say(*page, ui::texts::PresetOutsideBand(n, band.lowest, band.highest), true);
      return false;
    case receiver::Receiver::Recall::kTuned:
      if (receiver_.LastWordFailed()) {
        Say(*page, kNoSynthesizer, true);
      } else {
        Say(*page, ui::texts::PresetRecalled(n, receiver_.Frequency()), false);
      }
      return true;
  }
  return true;
}

void LiveChannel::Say(Page& page, const QString& text, bool refused) {
  Send(page, PageSaid(text, refused));
}

void LiveChannel::Send(Page& page, const QByteArray& message) {
  if (!page.socket || page.socket->state() != QAbstractSocket::ConnectedState) return;
  if (page.socket->bytesToWrite() > kUnsentBound) {
    page.stale = true;  // sent the state once it has read what it has
    return;
  }
  page.socket->sendTextMessage(QString::fromUtf8(message));
  // Out now, not after the word's frame that may follow in this same turn.
  page.socket->flush();
}

void LiveChannel::PushState() {
  // This state holds every change so far: one that was waiting for the turn's end is sent.
  push_scheduled_ = false;
  const QByteArray state = PageState(receiver_, stores_);
  for (const PagePtr& page : pages_) Send(*page, state);
}

void LiveChannel::SchedulePush() {
  if (push_scheduled_ || pages_.empty()) return;
  push_scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    if (push_scheduled_) PushState();
  });
}

void LiveChannel::Ping() {
  for (const PagePtr& page : pages_) {
    if (!page->socket) continue;
    // Quiet for a whole interval and deaf to the last ping: the page is gone.
    if (!page->alive) {
      page->socket->abort();
      continue;
    }
    page->alive = false;
    page->socket->ping();
  }
}

}  // namespace orx::web
