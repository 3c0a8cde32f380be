// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "settings/bas_ini_file.h"
#include "ui/accessible_roles.h"
#include "ui/form_texts.h"
#include "ui/front_panel.h"
#include "ui/program_icon.h"

namespace orx::ui {

namespace {
constexpr int kReadOutPadding = 4;
}  // namespace

Form1::Form1(FormEnvironment environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      environment_(std::move(environment)),
      receiver_(environment_.link,
                {environment_.settings_file, environment_.settings_folder_to_make}) {
  InstallAccessibleRoles();
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  setWindowIcon(ProgramIcon());
  setMouseTracking(true);  // the body sees movements with no button held
  CreateControls();
  ShowBand();
  ShowBarValue();
  WireEvents();
  HScroll1->setFocus();
}

void Form1::WireEvents() {
  connect(&receiver_, &receiver::Receiver::BandChanged, this, &Form1::ShowBand);
  connect(&receiver_, &receiver::Receiver::FrequencyChanged, this, &Form1::ShowFrequency);
  connect(&receiver_, &receiver::Receiver::FrequencyTextChanged, this,
          [this] { ShowReadOut(receiver_.FrequencyText()); });
  connect(&receiver_, &receiver::Receiver::SelectionChanged, this, &Form1::ShowSelection);
  connect(&receiver_, &receiver::Receiver::NoteChanged, this, &Form1::ShowNote);
  connect(&receiver_, &receiver::Receiver::LinesRefused, this, &Form1::ReportRefusedLines);

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

void Form1::Form_Load() {
  const auto file = settings::basIniFile::ReadIniFile(environment_.settings_file);
  if (!file.readable) {
    environment_.message_box(
        texts::ReadFailed(environment_.settings_file, file.error_number, file.reason));
  }
  receiver_.Load(file);
  ShowFrequencyStatus();
  if (!receiver_.OpenPort(environment_.port_name)) {
    environment_.message_box(texts::ComInterfaceError(texts::PortFailure(receiver_.LastOpen())));
  }
  receiver_.SendStartWords();
}

void Form1::Exit_Click() {
  if (receiver_.SettingsUnread()) {
    environment_.message_box(texts::NotSavedAfterReadFailure(environment_.settings_file));
    close();
    return;
  }
  std::optional<std::pair<QString, QString>> edited_limits;
  if (store_panel_loaded_) edited_limits = {Text2->text(), Text3->text()};
  if (const auto written = receiver_.SaveOnExit(edited_limits); !written)
    ReportWriteFailure(written);
  close();
}

void Form1::ReportWriteFailure(const settings::basIniFile::IniWrite& write) {
  environment_.message_box(texts::WriteFailed(environment_.settings_file, write));
}

// A port that opened but refuses a line cannot program the synthesizer.
void Form1::ReportRefusedLines() {
  environment_.message_box(
      texts::ComInterfaceError(texts::LineOperationsRefused(receiver_.LastOpen())));
}

void Form1::Form_Unload() {
  receiver_.Close();
}

void Form1::HScroll1_Change() {
  if (showing_receiver_) return;
  receiver_.TuneTo(HScroll1->value());
}

void Form1::ShowBand() {
  showing_receiver_ = true;
  HScroll1->setRange(receiver_.CurrentBand().lowest, receiver_.CurrentBand().highest);
  showing_receiver_ = false;
}

void Form1::ShowBarValue() {
  showing_receiver_ = true;
  HScroll1->setValue(receiver_.Frequency());
  showing_receiver_ = false;
}

void Form1::ShowFrequency() {
  ShowBarValue();
  ShowReadOut(receiver_.FrequencyText());
  ShowFrequencyStatus();
  // The word's frame holds the thread for 70 ms; the read-out is painted before it, not after.
  Label1->repaint();
  Kon->repaint();
}

void Form1::ShowSelection() {
  showing_receiver_ = true;
  for (int n = 1; n <= kPresetCount; ++n) M(n)->SetSelected(receiver_.Selected() == n);
  showing_receiver_ = false;
}

void Form1::ShowNote(int n) {
  M(n)->SetToolTipText(receiver_.Note(n));
}

void Form1::ShowFrequencyStatus() {
  ShowStatus(QStringLiteral(" ") + Label1->text() + texts::kKilohertzSuffix);
}

void Form1::ShowStatus(const QString& text) {
  Kon->setText(text);
}

void Form1::Announce(const QString& text) {
  Announcer->Say(text.trimmed());
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
