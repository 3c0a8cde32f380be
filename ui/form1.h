// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

#include "receiver/receiver.h"
#include "settings/bas_ini_file.h"
#include "ui/form_environment.h"
#include "ui/forms/announcement.h"
#include "ui/forms/decoration.h"
#include "ui/forms/option_button.h"
#include "ui/forms/scroll_bar.h"
#include "ui/forms/text_box.h"
#include "ui/move_form_no_title_bar.h"

namespace orx::ui {

// The one window of the program: the frequency read-out, sixteen memory presets, the store
// panel with the band limits, the status line and the tuning scroll bar. The receiver behind it
// holds the state and the rules; the handlers pass the user's doings on to it, and the controls
// show what it holds.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPresetCount = receiver::Receiver::kPresetCount;

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

  receiver::Receiver& Receiver() { return receiver_; }
  int CurrentFrequency() const { return receiver_.Frequency(); }

  // Start-up, before the window first shows: settings into the controls, the port, the two
  // words that program the synthesizer.
  void Form_Load();
  // "Izhod": saves the selection, the band limits and the notes, then closes the window.
  void Exit_Click();
  // Every close: the port is closed.
  void Form_Unload();

  void HScroll1_Change();

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

  // The web page's links, offered on the window's context menu (the right mouse button, the
  // menu key or Shift+F10) with a QR code for the phone.
  void OfferPhoneLinks(const QStringList& links);
  void ShowPhoneLinks();

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
  void ShowBand();
  void ShowFrequency();
  void ShowBarValue();
  void ShowSelection();
  void ShowNote(int n);
  void ReportRefusedLines();
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

  FormEnvironment environment_;
  receiver::Receiver receiver_;
  std::array<forms::OptionButton*, kPresetCount> option_buttons_{};
  std::array<QPushButton*, kPresetCount> store_buttons_{};
  bool placed_ = false;
  int read_out_design_width_ = 0;
  int read_out_leftmost_ = 0;
  bool store_panel_loaded_ = false;
  // While the controls take on the receiver's state, a control's own event is not the user's.
  bool showing_receiver_ = false;
  MoveFormNoTitleBar::ManualMove manual_move_;
  QStringList phone_links_;
  QPointer<QDialog> phone_link_;
};

}  // namespace orx::ui
