#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstdint>

#include "settings/pll_ini.h"
#include "ui/form_environment.h"
#include "ui/forms/decoration.h"
#include "ui/forms/option_button.h"
#include "ui/forms/scroll_bar.h"
#include "ui/forms/text_box.h"

namespace orx::ui {

// The one window of the program: the frequency read-out, sixteen memory presets, the store
// panel with the band limits, the status line and the tuning scroll bar.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPresetCount = settings::kPresetCount;

  explicit Form1(FormEnvironment environment, QWidget* parent = nullptr);

  // The controls, by their designer names.
  forms::Decoration* Shape1;
  forms::Decoration* Line1;
  forms::Decoration* Line2;
  forms::Decoration* Line3;
  forms::Decoration* Line4;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Kon;
  QLabel* ORX;
  forms::ScrollBar* HScroll1;
  QPushButton* Exit;
  QPushButton* Mem;
  forms::TextBox* Text1;
  forms::TextBox* Text2;
  forms::TextBox* Text3;
  QPushButton* Command1;
  // Option button "M<n>" and store button "Mem<n>" of preset n, 1 .. 16.
  forms::OptionButton* M(int n) const { return option_buttons_.at(n - 1); }
  QPushButton* MemN(int n) const { return store_buttons_.at(n - 1); }

  int16_t CurrentFrequency() const { return CurrentFreq; }
  int32_t LastSynthWord() const { return SynthWord; }

  // Runs once before the window first shows.
  void Form_Load();
  void HScroll1_Change();
  void SendControlWord();
  void SendDividerWord();
  void Form_Unload();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreatePresets();
  void SetTabOrder();
  void SendWord();
  void ShowFrequencyStatus();

  FormEnvironment environment_;
  std::array<forms::OptionButton*, kPresetCount> option_buttons_{};
  std::array<QPushButton*, kPresetCount> store_buttons_{};
  int16_t CurrentFreq = 0;
  int32_t SynthWord = 0;
  bool line_failure_reported_ = false;
  bool placed_ = false;
};

}  // namespace orx::ui
