// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sixteen memory presets, the store panel and the band limits.
#include <algorithm>

#include "ui/form1.h"
#include "ui/form_texts.h"

namespace orx::ui {

void Form1::M_Click(int n) {
  if (showing_receiver_) return;
  const receiver::Band band = receiver_.CurrentBand();
  // A recall that cannot be applied changes nothing of the tuning; the status line says why.
  const auto refuse = [this](const QString& why) {
    ShowStatus(why);
    Announce(why);
  };
  switch (receiver_.RecallPreset(n)) {
    case receiver::Receiver::Recall::kEmpty:
      return refuse(texts::PresetEmpty(n));
    case receiver::Receiver::Recall::kNotAFrequency:
      return refuse(texts::PresetNotAFrequency(n));
    case receiver::Receiver::Recall::kOutsideBand:
      return refuse(texts::PresetOutsideBand(n, band.lowest, band.highest));
    case receiver::Receiver::Recall::kTuned:
      return Announce(texts::PresetRecalled(n, receiver_.Frequency()));
  }
}

void Form1::M_MouseMove(int n) {
  ShowStatus(QStringLiteral(" ") + receiver_.Note(n));
}

std::vector<QWidget*> Form1::StorePanel() const {
  std::vector<QWidget*> panel{Text1, Text2, Text3};
  panel.insert(panel.end(), store_buttons_.begin(), store_buttons_.end());
  return panel;
}

void Form1::Mem_Click() {
  // A screen-reader user would otherwise learn of the panel only by pressing Tab.
  if (!Text1->isVisible()) Announce(texts::StorePanelOpened(Label1->text()));
  for (QWidget* control : StorePanel()) control->show();
  const auto [lowest, highest] = receiver_.BandLimitsToEdit();
  Text2->setText(lowest);
  Text3->setText(highest);
  store_panel_loaded_ = true;
}

void Form1::MemN_Click(int n) {
  HideStorePanel();
  const auto written = receiver_.StorePreset(n, Text1->text());
  if (!written) return ReportWriteFailure(written);
  Announce(texts::PresetStored(n, receiver_.FrequencyText()));
}

void Form1::HideStorePanel() {
  const std::vector<QWidget*> panel = StorePanel();
  // The focus would otherwise wander through the panel's buttons as they hide one by one, and
  // a screen reader would name each; it goes back to the button that opened the panel.
  if (focusWidget() == Command1 || std::ranges::count(panel, focusWidget()) > 0) Mem->setFocus();
  for (QWidget* control : panel) control->hide();
}

void Form1::Text2_KeyUp() {
  Command1->show();
}

void Form1::Text3_KeyUp() {
  Command1->show();
}

void Form1::Command1_Click() {
  if (!receiver::Receiver::ValidBandLimits(Text2->text(), Text3->text())) {
    environment_.message_box(texts::kBadBandLimits);
    return;
  }
  HideStorePanel();
  Command1->hide();
  const auto written = receiver_.SaveBandLimits(Text2->text(), Text3->text());
  if (!written) return ReportWriteFailure(written);
  const receiver::Band band = receiver_.CurrentBand();
  Announce(texts::BandLimitsSaved(band.lowest, band.highest, receiver_.Frequency()));
}

}  // namespace orx::ui
