// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "option_button.h"

#include "focus_indicator.h"
#include "mouse_routing.h"
#include "plain_text.h"

namespace orx::forms {

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setCheckable(true);
  setAutoExclusive(true);
  setMouseTracking(true);
  KeepMouseInput(this);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (on) emit Click();
  });
  // Qt reports `pressed` before the selection changes, so it tells a click on the button
  // already selected (no toggle follows) from one that selects it.
  connect(this, &QAbstractButton::pressed, this, [this] { selected_when_pressed_ = isChecked(); });
  connect(this, &QAbstractButton::clicked, this, [this] {
    if (selected_when_pressed_) emit Click();
    selected_when_pressed_ = false;
  });
}

void OptionButton::SetSelected(bool selected) {
  if (selected == isChecked()) return;
  if (selected) {
    setChecked(true);
    return;
  }
  // Qt keeps the selected button of an exclusive group selected; lift that for a moment.
  setAutoExclusive(false);
  setChecked(false);
  setAutoExclusive(true);
}

void OptionButton::SetToolTipText(const QString& text) {
  tool_tip_text_ = text;
  setToolTip(PlainTextToolTip(text));
  setAccessibleDescription(text);
}

void OptionButton::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  QPushButton::mouseMoveEvent(event);
}

void MakeOneFocusStop(const std::vector<OptionButton*>& group, OptionButton* first) {
  const auto update = [group, first] {
    OptionButton* stop = first;
    for (OptionButton* button : group) {
      if (button->IsSelected()) stop = button;
    }
    for (OptionButton* button : group) {
      button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  };
  for (OptionButton* button : group)
    QObject::connect(button, &QAbstractButton::toggled, button, update);
  update();
}

void OptionButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  PaintFocusIndicator(this);
}

}  // namespace orx::forms
