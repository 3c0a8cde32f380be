#pragma once

#include <QPushButton>

namespace orx::forms {

// One of a group of buttons on the same parent of which at most one is selected. It stays
// down while selected and raises Click whenever it becomes the selected one, by the mouse,
// the keyboard or the program, and also when the user clicks it while it is already selected.
// Clearing it by program raises nothing.
class OptionButton : public QPushButton {
  Q_OBJECT

 public:
  explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

  bool IsSelected() const { return isChecked(); }
  void SetSelected(bool selected);

 signals:
  void Click();
  void MouseMove();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool selected_when_pressed_ = false;
};

}  // namespace orx::forms
