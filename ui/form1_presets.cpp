// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sixteen memory presets, the store panel and the band limits.
#include <algorithm>

#include "settings/value_conversions.h"
#include "ui/form1.h"
#include "ui/form_texts.h"

namespace orx::ui {

bool Form1::FitsBand(int frequency) const {
  return frequency >= HScroll1->minimum() && frequency <= HScroll1->maximum();
}

void Form1::M_Click(int n) {
  const QString stored = ReadSetting(settings::kFreqSection, settings::FreqKey(n));
  const auto frequency = settings::ToInteger16(stored);
  // A recall that cannot be applied changes nothing of the tuning; the status line says why.
  const auto refuse = [this](const QString& why) {
    ShowStatus(why);
    Announce(why);
  };
  if (stored.trimmed().isEmpty()) return refuse(texts::PresetEmpty(n));
  if (!frequency) return refuse(texts::PresetNotAFrequency(n));
  if (!FitsBand(*frequency))
    return refuse(texts::PresetOutsideBand(n, HScroll1->minimum(), HScroll1->maximum()));
  HScroll1->setValue(*frequency);

  FreqText[n - 1] = ReadSetting(settings::kFreqSection, settings::FreqKey(n));
  ShowReadOut(FreqText[n - 1]);
  CurrentFreq = settings::ToInteger16(Label1->text()).value_or(CurrentFreq);
  Announce(texts::PresetRecalled(n, HScroll1->value()));
}

void Form1::M_MouseMove(int n) {
  ShowStatus(QStringLiteral(" ") + M(n)->ToolTipText());
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
  // With no limits in the file yet, the boxes start from the limits in force.
  Text2->setText(ReadSetting(settings::kSettingsSection, settings::kMinKey,
                             QString::number(HScroll1->minimum())));
  Text3->setText(ReadSetting(settings::kSettingsSection, settings::kMaxKey,
                             QString::number(HScroll1->maximum())));
  store_panel_loaded_ = true;
}

void Form1::MemN_Click(int n) {
  HideStorePanel();
  M(n)->SetToolTipText(Text1->text());
  FreqText[n - 1] = Label1->text();
  const auto written = WriteSetting(settings::kFreqSection, settings::FreqKey(n), FreqText[n - 1]);
  if (!written) return ReportWriteFailure(written);
  Announce(texts::PresetStored(n, FreqText[n - 1]));
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
  const auto lowest = settings::ToWholeInteger16(Text2->text());
  const auto highest = settings::ToWholeInteger16(Text3->text());
  if (!lowest || !highest || *lowest > *highest) {
    environment_.message_box(texts::kBadBandLimits);
    return;
  }
  auto written = WriteSetting(settings::kSettingsSection, settings::kMinKey, Text2->text());
  const auto highest_written =
      WriteSetting(settings::kSettingsSection, settings::kMaxKey, Text3->text());
  if (written) written = highest_written;  // the first failure is the one to explain
  HideStorePanel();
  Command1->hide();
  if (!written) ReportWriteFailure(written);
  // The limits come back by way of the file, so the scroll bar holds what the file holds.
  ApplyBandLimits();
  if (written)
    Announce(texts::BandLimitsSaved(HScroll1->minimum(), HScroll1->maximum(), HScroll1->value()));
}

void Form1::ApplyBandLimits() {
  const auto lowest =
      settings::ToInteger16(ReadSetting(settings::kSettingsSection, settings::kMinKey));
  const auto highest =
      settings::ToInteger16(ReadSetting(settings::kSettingsSection, settings::kMaxKey));
  if (lowest && highest && *lowest > *highest) return;
  // Lower limit first; a limit that excludes the value moves it, and that retunes.
  if (lowest && (highest || *lowest <= HScroll1->maximum())) HScroll1->setMinimum(*lowest);
  if (highest && *highest >= HScroll1->minimum()) HScroll1->setMaximum(*highest);
}

}  // namespace orx::ui
