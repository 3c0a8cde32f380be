#include "scroll_bar.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <optional>

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
  const auto action = ActionForKey(event->key());
  if (!action || event->modifiers() != Qt::NoModifier) {
    QScrollBar::keyPressEvent(event);
    return;
  }
  triggerAction(*action);
  event->accept();
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  wheel_remainder_ += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = wheel_remainder_ / kWheelNotch;
  wheel_remainder_ -= notches * kWheelNotch;
  for (int i = 0; i < notches; ++i) triggerAction(SliderSingleStepAdd);
  for (int i = 0; i > notches; --i) triggerAction(SliderSingleStepSub);
  event->accept();
}

}  // namespace orx::forms
