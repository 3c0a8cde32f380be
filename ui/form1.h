#pragma once

#include <QLabel>
#include <QWidget>
#include <cstdint>

#include "ui/form_environment.h"
#include "ui/forms/scroll_bar.h"

namespace orx::ui {

// The one window of the program: the read-out, the tuning scroll bar and the status line.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(FormEnvironment environment, QWidget* parent = nullptr);

  forms::ScrollBar* HScroll1;
  QLabel* Label1;
  QLabel* Kon;

  int16_t CurrentFrequency() const { return CurrentFreq; }
  int32_t LastSynthWord() const { return SynthWord; }

  // Runs once before the window first shows.
  void Form_Load();
  void HScroll1_Change();
  void SendControlWord();
  void SendDividerWord();
  void Form_Unload();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void SendWord();
  void ShowFrequencyStatus();

  FormEnvironment environment_;
  int16_t CurrentFreq = 0;
  int32_t SynthWord = 0;
  bool line_failure_reported_ = false;
};

}  // namespace orx::ui
