// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QScrollBar>
#include <optional>

namespace orx::forms {

// A horizontal scroll bar that raises Change after every change of its value, whether by the
// user, by the program or forced by a new limit, and never while the thumb is dragged.
// Its keys work as on the classic Windows scroll bar.
//
// A Change may take a whole word frame, during which no input is handled. Input that piled
// up meanwhile is applied as the system the design comes from applies it: the auto-repeats of
// a held key collapse into one step, so that tuning stops with the key, and wheel notches add
// up into one change; a key pressed and released is never dropped. What is held back is
// applied before any input that came after it, so events keep the order they came in.
class ScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  static constexpr int kArrowStep = 1;
  static constexpr int kPageStep = 5;

  explicit ScrollBar(QWidget* parent = nullptr);

  // Applies the input held back to be merged now. Any later input event anywhere in the program
  // does this first, and so must any change the program makes on its own (the control port's).
  void ApplyHeldInput();

 signals:
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // The style draws no focus on a scroll bar; the keyboard user still needs to see it.
  void paintEvent(QPaintEvent* event) override;

 private:
  void ScheduleApply();
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool HoldsInput() const;

  int wheel_remainder_ = 0;
  int pending_notches_ = 0;
  std::optional<SliderAction> pending_repeat_;
  bool apply_scheduled_ = false;
};

}  // namespace orx::forms
