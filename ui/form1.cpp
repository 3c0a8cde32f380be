#include "form1.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QScreen>

#include "link/word_frame.h"
#include "ui/front_panel.h"

namespace orx::ui {

namespace {
const char kComInterfaceError[] = "COM Interface Error";
const char kKilohertzSuffix[] = " kHz";
const char kPortName[] = "COM2:";

constexpr int kDesignMinimum = 0;
constexpr int kDesignMaximum = 24000;
constexpr int kDesignValue = 2000;
}  // namespace

Form1::Form1(FormEnvironment environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), environment_(std::move(environment)) {
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  setWindowIcon(QIcon(":/orx/orx-frekvenca.svg"));
  CreateControls();
  HScroll1->setRange(kDesignMinimum, kDesignMaximum);
  HScroll1->setValue(kDesignValue);

  connect(HScroll1, &forms::ScrollBar::Change, this, &Form1::HScroll1_Change);
  HScroll1->setFocus();
}

void Form1::Form_Load() {
  Label1->setText(QString::number(HScroll1->value()));
  ShowFrequencyStatus();
  if (environment_.link.OpenPort(kPortName) == 0) environment_.message_box(kComInterfaceError);
  CurrentFreq = static_cast<int16_t>(Label1->text().toInt());
  SendControlWord();
  SendDividerWord();
}

void Form1::HScroll1_Change() {
  CurrentFreq = static_cast<int16_t>(HScroll1->value());
  Label1->setText(QString::number(HScroll1->value()));
  ShowFrequencyStatus();
  SendDividerWord();
}

void Form1::ShowFrequencyStatus() {
  Kon->setText(QStringLiteral(" ") + Label1->text() + kKilohertzSuffix);
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
  link::SendWord(environment_.link, SynthWord);
  // A port that opened but refuses a line cannot program the synthesizer: say so once.
  if (environment_.link.LineOperationFailed() && !line_failure_reported_) {
    line_failure_reported_ = true;
    environment_.message_box(kComInterfaceError);
  }
}

void Form1::Form_Unload() {
  environment_.link.ClosePort();
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
