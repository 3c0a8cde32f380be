// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "ui/form_environment.h"
#include "ui/forms/announcement.h"
#include "ui/forms/decoration.h"
#include "ui/forms/option_button.h"
#include "ui/forms/scroll_bar.h"
#include "ui/forms/text_box.h"
#include "ui/move_form_no_title_bar.h"

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
  // Not on the face: what a screen reader says after a recall, a store or a limit save.
  forms::Announcement* Announcer;
  // Option button "M<n>" and store button "Mem<n>" of preset n, 1 .. 16.
  forms::OptionButton* M(int n) const { return option_buttons_.at(n - 1); }
  QPushButton* MemN(int n) const { return store_buttons_.at(n - 1); }

  int16_t CurrentFrequency() const { return CurrentFreq; }
  // Whether the last word sent failed to reach the synthesizer: no open port, or a line the
  // port refused while it was sent.
  bool LastWordFailed() const { return last_word_failed_; }

  // Start-up, before the window first shows: settings into the controls, the port, the two
  // words that program the synthesizer.
  void Form_Load();
  // "Izhod": saves the selection, the band limits and the notes, then closes the window.
  void Exit_Click();
  // Every close: the port is closed.
  void Form_Unload();

  void HScroll1_Change();
  void SendControlWord();
  void SendDividerWord();

  // Preset n: recall, note in the status line, store.
  void M_Click(int n);
  void M_MouseMove(int n);
  void MemN_Click(int n);
  void Mem_Click();

  void Text2_KeyUp();
  void Text3_KeyUp();
  void Command1_Click();

  void Form_MouseDown(QPoint pointer_global);
  void Form_MouseMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CreateControls();
  void CreatePresets();
  void SetTabOrder();
  void WireEvents();
  void SendWord();
  void ShowFrequencyStatus();
  void ShowStatus(const QString& text);
  void Announce(const QString& text);
  void ShowReadOut(const QString& text);
  void FixThePalette();
  void FixTheFace();
  void DescribeForAssistiveTechnology();
  // The note box, the two limit boxes and the sixteen store buttons, in the order they show.
  std::vector<QWidget*> StorePanel() const;
  void HideStorePanel();
  void ReportWriteFailure(const settings::basIniFile::IniWrite& write);
  // Applies "min" and "max" from the file; a reversed pair is never applied.
  void ApplyBandLimits();
  bool FitsBand(int frequency) const;
  QString ReadSetting(const QString& section, const QString& key,
                      const QString& missing = QString()) const;
  settings::basIniFile::IniWrite WriteSetting(const QString& section, const QString& key,
                                              const QString& value);
  settings::basIniFile::IniWrite WriteSettings(const std::vector<settings::KeyValue>& values);
  // The band limits "Izhod" saves: the boxes when they were loaded and hold a valid band;
  // otherwise each stored limit as it stands, or the limit in force where it does not convert.
  std::pair<QString, QString> BandLimitsToSave() const;
  QString StoredLimitOr(const QString& key, int in_force) const;

  FormEnvironment environment_;
  std::array<forms::OptionButton*, kPresetCount> option_buttons_{};
  std::array<QPushButton*, kPresetCount> store_buttons_{};
  std::array<QString, kPresetCount> FreqText;
  int16_t CurrentFreq = 0;
  int32_t SynthWord = 0;
  bool line_failure_reported_ = false;
  bool last_word_failed_ = false;
  bool placed_ = false;
  int read_out_design_width_ = 0;
  int read_out_leftmost_ = 0;
  bool store_panel_loaded_ = false;
  bool unloaded_ = false;
  // The file as start-up read it, once, for the load's many keys.
  std::optional<settings::IniDocument> loading_;
  // Start-up could not read the file: this run never writes what it could not read.
  bool settings_unread_ = false;
  MoveFormNoTitleBar::ManualMove manual_move_;
};

}  // namespace orx::ui
