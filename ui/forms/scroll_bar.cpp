// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scroll_bar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <utility>

#include "focus_indicator.h"
#include "mouse_routing.h"

namespace orx::forms {

namespace {

constexpr int kWheelNotch = 120;  // angle delta of one wheel notch

std::optional<QAbstractSlider::SliderAction> ActionForKey(int key) {
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
      return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_Left:
    case Qt::Key_Up:
      return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_PageDown:
      return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_PageUp:
      return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_Home:
      return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
      return QAbstractSlider::SliderToMaximum;
    default:
      return std::nullopt;
  }
}

}  // namespace

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setTracking(false);
  setSingleStep(kArrowStep);
  setPageStep(kPageStep);
  setFocusPolicy(Qt::StrongFocus);
  KeepMouseInput(this);
  connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::Change);
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
  // Alt with a key belongs to the system, as on Windows, and does not tune.
  if (event->modifiers() & Qt::AltModifier) {
    event->ignore();
    return;
  }
  // Shift and Ctrl change nothing, on the keypad or not, as on the Windows scroll bar (Qt's own
  // handler would step backwards with them).
  const auto action = ActionForKey(event->key());
  if (!action) {
    QScrollBar::keyPressEvent(event);
    return;
  }
  if (event->isAutoRepeat()) {
    pending_repeat_ = *action;
    ScheduleApply();
  } else {
    ApplyHeldInput();  // what came first goes first
    triggerAction(*action);
  }
  event->accept();
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  wheel_remainder_ += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = wheel_remainder_ / kWheelNotch;
  wheel_remainder_ -= notches * kWheelNotch;
  pending_notches_ += notches;
  if (pending_notches_ != 0) ScheduleApply();
  event->accept();
}

void ScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  PaintFocusIndicator(this);
}

// A queued call runs after every event already waiting, so the whole pile of input that a
// frame held up is seen before any of it is applied.
void ScrollBar::ScheduleApply() {
  if (apply_scheduled_) return;
  apply_scheduled_ = true;
  // Until then, any other input anywhere applies it first.
  qApp->installEventFilter(this);
  QMetaObject::invokeMethod(this, &ScrollBar::ApplyHeldInput, Qt::QueuedConnection);
}

bool ScrollBar::HoldsInput() const {
  return pending_repeat_.has_value() || pending_notches_ != 0;
}

bool ScrollBar::eventFilter(QObject* watched, QEvent* event) {
  if (!HoldsInput()) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // More of the held key, or of another arrow, is merged or applied by the bar itself.
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->isAutoRepeat() || (watched == this && event->type() == QEvent::KeyPress)) break;
      ApplyHeldInput();
      break;
    }
    case QEvent::Wheel:
      if (watched != this) ApplyHeldInput();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
      ApplyHeldInput();
      break;
    default:
      break;
  }
  return false;
}

void ScrollBar::ApplyHeldInput() {
  apply_scheduled_ = false;
  qApp->removeEventFilter(this);
  if (const auto repeat = std::exchange(pending_repeat_, std::nullopt)) triggerAction(*repeat);
  if (const int notches = std::exchange(pending_notches_, 0); notches != 0) {
    setValue(static_cast<int>(
        std::clamp<qint64>(value() + qint64{notches} * singleStep(), minimum(), maximum())));
  }
}

}  // namespace orx::forms
