// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>
#include <vector>

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

  // The button's note, kept exactly as given; its tool tip shows it as plain text.
  const QString& ToolTipText() const { return tool_tip_text_; }
  void SetToolTipText(const QString& text);

 signals:
  void Click();
  void MouseMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool selected_when_pressed_ = false;
  QString tool_tip_text_;
};

// Makes a group one stop for the Tab key: its selected button, or `first` while none is
// selected. The arrow keys still move between the buttons.
void MakeOneFocusStop(const std::vector<OptionButton*>& group, OptionButton* first);

}  // namespace orx::forms
