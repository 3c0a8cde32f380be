#pragma once

#include <QScrollBar>

namespace orx::forms {

// A horizontal scroll bar that raises Change after every change of its value, whether by the
// user, by the program or forced by a new limit, and never while the thumb is dragged.
// Its keys work as on the classic Windows scroll bar.
class ScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  static constexpr int kArrowStep = 1;
  static constexpr int kPageStep = 5;

  explicit ScrollBar(QWidget* parent = nullptr);

 signals:
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int wheel_remainder_ = 0;
};

}  // namespace orx::forms
