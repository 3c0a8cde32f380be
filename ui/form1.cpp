// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "link/word_frame.h"
#include "settings/bas_ini_file.h"
#include "settings/value_conversions.h"
#include "ui/accessible_roles.h"
#include "ui/form_texts.h"
#include "ui/front_panel.h"

namespace orx::ui {

namespace {
constexpr int kDesignMinimum = 0;
constexpr int kDesignMaximum = 24000;
constexpr int kDesignValue = 2000;
constexpr int kReadOutPadding = 4;
}  // namespace

Form1::Form1(FormEnvironment environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), environment_(std::move(environment)) {
  InstallAccessibleRoles();
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  setWindowIcon(QIcon(":/orx/orx-frekvenca.svg"));
  setMouseTracking(true);  // the body sees movements with no button held
  CreateControls();
  HScroll1->setRange(kDesignMinimum, kDesignMaximum);
  HScroll1->setValue(kDesignValue);
  WireEvents();
  HScroll1->setFocus();
}

void Form1::WireEvents() {
  connect(HScroll1, &forms::ScrollBar::Change, this, &Form1::HScroll1_Change);
  for (int n = 1; n <= kPresetCount; ++n) {
    connect(M(n), &forms::OptionButton::Click, this, [this, n] { M_Click(n); });
    connect(M(n), &forms::OptionButton::MouseMove, this, [this, n] { M_MouseMove(n); });
    connect(MemN(n), &QPushButton::clicked, this, [this, n] { MemN_Click(n); });
  }
  connect(Mem, &QPushButton::clicked, this, &Form1::Mem_Click);
  connect(Exit, &QPushButton::clicked, this, &Form1::Exit_Click);
  connect(Text2, &forms::TextBox::KeyUp, this, &Form1::Text2_KeyUp);
  connect(Text3, &forms::TextBox::KeyUp, this, &Form1::Text3_KeyUp);
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

QString Form1::ReadSetting(const QString& section, const QString& key,
                           const QString& missing) const {
  if (loading_) return loading_->Value(section, key).value_or(missing);
  return settings::basIniFile::ReadIni(environment_.settings_file, section, key, missing);
}

settings::basIniFile::IniWrite Form1::WriteSetting(const QString& section, const QString& key,
                                                   const QString& value) {
  return WriteSettings({{section, key, value}});
}

settings::basIniFile::IniWrite Form1::WriteSettings(const std::vector<settings::KeyValue>& values) {
  // A first run leaves nothing behind until it has something to keep.
  if (!environment_.settings_folder_to_make.isEmpty())
    QDir().mkpath(environment_.settings_folder_to_make);
  return settings::basIniFile::WriteIniKeys(environment_.settings_file, values);
}

void Form1::Form_Load() {
  using settings::ToInteger16;
  auto file = settings::basIniFile::ReadIniFile(environment_.settings_file);
  if (!file.readable) {
    settings_unread_ = true;
    environment_.message_box(
        texts::ReadFailed(environment_.settings_file, file.error_number, file.reason));
  }
  loading_ = std::move(file.document);
  // A value that is missing, does not convert or does not fit leaves its control as it is, so
  // that a first run with no pll.ini opens on the design-time values.
  const auto first = ToInteger16(ReadSetting(settings::kFreqSection, settings::FreqKey(1)));
  if (first && FitsBand(*first)) HScroll1->setValue(*first);
  ApplyBandLimits();
  // A band stored above the design-time range still starts on its own "F1".
  if (first && FitsBand(*first)) HScroll1->setValue(*first);

  for (int n = 1; n <= kPresetCount; ++n) {
    const auto selected =
        settings::ToBoolean(ReadSetting(settings::kSettingsSection, settings::SelectedKey(n)));
    if (selected) M(n)->SetSelected(*selected);
  }
  for (int n = 1; n <= kPresetCount; ++n) {
    M(n)->SetToolTipText(ReadSetting(settings::kNotesSection, settings::NoteKey(n)));
  }

  loading_.reset();

  ShowReadOut(QString::number(HScroll1->value()));
  ShowFrequencyStatus();
  if (environment_.link.OpenPort(environment_.port_name.toStdString()) == 0) {
    environment_.message_box(
        texts::ComInterfaceError(texts::PortFailure(environment_.link.LastOpen())));
  }
  CurrentFreq = ToInteger16(Label1->text()).value_or(CurrentFreq);
  SendControlWord();
  SendDividerWord();
}

void Form1::Exit_Click() {
  if (settings_unread_) {
    environment_.message_box(texts::NotSavedAfterReadFailure(environment_.settings_file));
    close();
    return;
  }
  // One replacement: the file holds all of the exit's keys or none of them.
  std::vector<settings::KeyValue> values;
  for (int n = 1; n <= kPresetCount; ++n) {
    values.push_back({settings::kSettingsSection, settings::SelectedKey(n),
                      M(n)->IsSelected() ? "True" : "False"});
  }
  const auto [lowest, highest] = BandLimitsToSave();
  values.push_back({settings::kSettingsSection, settings::kMinKey, lowest});
  values.push_back({settings::kSettingsSection, settings::kMaxKey, highest});
  for (int n = 1; n <= kPresetCount; ++n) {
    values.push_back({settings::kNotesSection, settings::NoteKey(n), M(n)->ToolTipText()});
  }
  if (const auto written = WriteSettings(values); !written) ReportWriteFailure(written);
  close();
}

std::pair<QString, QString> Form1::BandLimitsToSave() const {
  const auto lowest = settings::ToWholeInteger16(Text2->text());
  const auto highest = settings::ToWholeInteger16(Text3->text());
  if (store_panel_loaded_ && lowest && highest && *lowest <= *highest) {
    return {Text2->text(), Text3->text()};
  }
  return {StoredLimitOr(settings::kMinKey, HScroll1->minimum()),
          StoredLimitOr(settings::kMaxKey, HScroll1->maximum())};
}

QString Form1::StoredLimitOr(const QString& key, int in_force) const {
  const QString stored = ReadSetting(settings::kSettingsSection, key);
  return settings::ToInteger16(stored) ? stored : QString::number(in_force);
}

void Form1::ReportWriteFailure(const settings::basIniFile::IniWrite& write) {
  environment_.message_box(texts::WriteFailed(environment_.settings_file, write));
}

void Form1::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  environment_.link.ClosePort();
}

void Form1::HScroll1_Change() {
  CurrentFreq = static_cast<int16_t>(HScroll1->value());
  ShowReadOut(QString::number(HScroll1->value()));
  ShowFrequencyStatus();
  // The frame holds the thread for 70 ms; the read-out is painted before it, not after.
  Label1->repaint();
  Kon->repaint();
  SendDividerWord();
}

void Form1::ShowFrequencyStatus() {
  ShowStatus(QStringLiteral(" ") + Label1->text() + texts::kKilohertzSuffix);
}

void Form1::ShowStatus(const QString& text) {
  Kon->setText(text);
}

// The recall the load makes is not the user's doing, and nothing is said of it.
void Form1::Announce(const QString& text) {
  if (!loading_) Announcer->Say(text.trimmed());
}

// The read-out grows to the left, so that "-12000" or a stored "032767" is shown whole and the
// digits keep standing against the unit.
void Form1::ShowReadOut(const QString& text) {
  Label1->setText(text);
  Label1->setAccessibleName(QStringLiteral("Frekvenca %1 kHz").arg(text));
  const int right = Label1->geometry().right();
  const int wanted = std::max(read_out_design_width_,
                              Label1->fontMetrics().horizontalAdvance(text) + kReadOutPadding);
  const int width = std::min(wanted, right - read_out_leftmost_ + 1);
  Label1->setGeometry(right - width + 1, Label1->y(), width, Label1->height());
}

void Form1::SendControlWord() {
  SynthWord = link::kControlWord;
  SendWord();
}

void Form1::SendDividerWord() {
  SynthWord = CurrentFreq + link::kDividerOffset;
  SendWord();
}

void Form1::SendWord() {
  if (unloaded_) return;  // after the close nothing more reaches the synthesizer
  const long failed_before = environment_.link.FailedOperations();
  link::SendWord(environment_.link, SynthWord);
  last_word_failed_ =
      environment_.link.PortHandle() != 1 || environment_.link.FailedOperations() != failed_before;
  // A port that opened but refuses a line cannot program the synthesizer: say so once.
  if (environment_.link.LineOperationFailed() && !line_failure_reported_) {
    line_failure_reported_ = true;
    environment_.message_box(
        texts::ComInterfaceError(texts::LineOperationsRefused(environment_.link.LastOpen())));
  }
}

void Form1::Form_MouseDown(QPoint pointer_global) {
  setCursor(Qt::SizeAllCursor);
  if (!MoveFormNoTitleBar::StartSystemMove(this)) manual_move_.Begin(this, pointer_global);
}

void Form1::Form_MouseMove() {
  setCursor(Qt::ArrowCursor);
  ShowFrequencyStatus();
}

void Form1::mousePressEvent(QMouseEvent* event) {
  Form_MouseDown(event->globalPosition().toPoint());
  event->accept();
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  // While the window is being moved by hand, movements belong to the move, as they would to
  // the system's own move loop.
  if (event->buttons() != Qt::NoButton && manual_move_.Follow(event->globalPosition().toPoint())) {
    return;
  }
  Form_MouseMove();
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) manual_move_.End();
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrontPanel(painter);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

}  // namespace orx::ui
