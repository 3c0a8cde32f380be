// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's controls as the designer placed them, in twips.
#include <QFont>

#include "ui/form1.h"
#include "ui/forms/command_button.h"
#include "ui/forms/mouse_routing.h"
#include "ui/forms/status_line.h"
#include "ui/front_panel.h"
#include "ui/twips.h"
#include "ui/window_faces.h"

namespace orx::ui {

namespace {

const QColor kTeal(0, 128, 128);
const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);
// The classic desktop's application workspace colour, the face of the preset buttons.
const QColor kWorkspace(171, 171, 171);

const char kSansSerif[] = "MS Sans Serif";

QFont Font(const QString& family, double points, bool bold = false) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

void SetColors(QWidget* widget, QPalette::ColorRole text_role, const QColor& text,
               QPalette::ColorRole ground_role, const QColor& ground) {
  // From the window's face, not from what a desktop theme gives this class of control.
  QPalette palette = widget->parentWidget()->palette();
  palette.setColor(text_role, text);
  palette.setColor(ground_role, ground);
  widget->setPalette(palette);
}

QLabel* MakeLabel(const QString& caption, const char* name, QRect place, QWidget* parent,
                  QLabel* label = nullptr) {
  if (label == nullptr) label = new QLabel(parent);
  label->setText(caption);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // notes and stored texts show exactly as typed
  label->setGeometry(place);
  forms::KeepMouseInput(label);  // labels take their own mouse input
  return label;
}

QPushButton* MakeButton(const QString& caption, const char* name, QRect place, QWidget* parent) {
  auto* button = new forms::CommandButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  forms::KeepMouseInput(button);
  return button;
}

forms::TextBox* MakeTextBox(const QString& text, const char* name, QRect place,
                            const QString& tool_tip, QWidget* parent) {
  auto* box = new forms::TextBox(text, parent);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setToolTip(tool_tip);
  box->hide();
  return box;
}

forms::Decoration* Named(forms::Decoration* decoration, const char* name) {
  decoration->setObjectName(name);
  return decoration;
}

// Presets 1 .. 8 form the upper row and 9 .. 16 the lower one.
QRect PresetPlace(int n) {
  constexpr int kPerRow = 8;
  const int column = (n - 1) % kPerRow;
  const int top = n <= kPerRow ? 360 : 840;
  return TwipsRect(3480 + 600 * column, top, 495, 420);
}

QPoint TwipsPoint(int x, int y) {
  return QPoint(TwipsToPixels(x), TwipsToPixels(y));
}

}  // namespace

// Controls made later lie in front of those made earlier, so creation runs back to front:
// the drawn items first, then the scroll bar, the presets and the buttons, the store panel last.
void Form1::CreateControls() {
  setFixedSize(kFrontPanelSize);
  setFont(Font(SansSerifFamily(), 8.25));
  // The face's colours before any control takes its own from them, not the desktop's.
  FixThePalette();

  Shape1 = Named(new forms::Decoration(kTeal, this), "Shape1");
  Shape1->setGeometry(TwipsRect(360, 360, 2535, 855));
  Line1 =
      Named(forms::Decoration::Line(Qt::black, TwipsPoint(360, 360), TwipsPoint(2880, 360), this),
            "Line1");
  Line2 =
      Named(forms::Decoration::Line(Qt::black, TwipsPoint(360, 1200), TwipsPoint(360, 360), this),
            "Line2");
  Line3 =
      Named(forms::Decoration::Line(Qt::white, TwipsPoint(2880, 1200), TwipsPoint(360, 1200), this),
            "Line3");
  Line4 =
      Named(forms::Decoration::Line(Qt::white, TwipsPoint(2880, 360), TwipsPoint(2880, 1200), this),
            "Line4");

  // Right-aligned, so that the digits stand still next to the unit as the frequency changes.
  Label1 = MakeLabel("00000", "Label1", TwipsRect(720, 480, 1200, 570), this);
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  read_out_design_width_ = Label1->width();
  read_out_leftmost_ = Shape1->x() + 2;  // inside the read-out's frame
  Label2 = MakeLabel("kHz", "Label2", TwipsRect(2040, 480, 765, 570), this);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (QLabel* label : {Label1, Label2}) {
    label->setFont(Font(ComicFamily(), 20.25));
    SetColors(label, QPalette::WindowText, kCyan, QPalette::Window, Qt::transparent);
  }
  Kon = MakeLabel("Label3", "Kon", TwipsRect(3360, 1680, 4860, 300), this,
                  new forms::StatusLine(this));
  Kon->setFont(Font(SansSerifFamily(), 9.75, true));
  Kon->setAutoFillBackground(true);
  SetColors(Kon, QPalette::WindowText, kCyan, QPalette::Window, kTeal);
  Announcer = new forms::Announcement(this);
  Announcer->setObjectName("Announcer");
  ORX = MakeLabel("ORX", "ORX", TwipsRect(1200, 1560, 705, 450), this);
  ORX->setFont(Font(ComicFamily(), 15.75, true));
  SetColors(ORX, QPalette::WindowText, kYellow, QPalette::Window, Qt::transparent);

  HScroll1 = new forms::ScrollBar(this);
  HScroll1->setObjectName("HScroll1");
  HScroll1->setGeometry(TwipsRect(480, 2040, 7695, 375));

  CreatePresets();

  Exit = MakeButton("Izhod", "Exit", TwipsRect(240, 1680, 735, 255), this);
  Mem = MakeButton("Spomin", "Mem", TwipsRect(2280, 1680, 735, 255), this);
  for (QPushButton* button : {Exit, Mem}) {
    SetColors(button, QPalette::ButtonText, palette().color(QPalette::ButtonText), QPalette::Button,
              kWorkspace);
  }
  for (int n = 1; n <= kPresetCount; ++n) {
    store_buttons_[n - 1] = MakeButton(QString("M%1").arg(n), "", PresetPlace(n), this);
    MemN(n)->setObjectName(QString("Mem%1").arg(n));
    MemN(n)->hide();
  }

  Text1 = MakeTextBox("Vpiši pripombo", "Text1", TwipsRect(3360, 1680, 4815, 285),
                      "Tukaj vpiši svoje opombe", this);
  Text2 = MakeTextBox("0", "Text2", TwipsRect(720, 2080, 855, 285), "Najnižja frekvenca", this);
  Text3 =
      MakeTextBox("24000", "Text3", TwipsRect(7080, 2080, 855, 285), "Najvišja frekvenca", this);
  Command1 = MakeButton("Shrani najnižjo in najvišjo frekvenco", "Command1",
                        TwipsRect(2640, 2100, 3255, 255), this);
  Command1->hide();

  SetTabOrder();
  FixTheFace();
  DescribeForAssistiveTechnology();
}

// The upper row is made from M2 to M8, then M1, then the lower row, so that M2 lies at the back.
void Form1::CreatePresets() {
  std::array<int, kPresetCount> order{};
  for (int i = 0; i < 7; ++i) order[i] = i + 2;
  order[7] = 1;
  for (int i = 8; i < kPresetCount; ++i) order[i] = i + 1;
  for (int n : order) {
    auto* button = new forms::OptionButton(QString("M%1").arg(n), this);
    button->setObjectName(QString("M%1").arg(n));
    button->setGeometry(PresetPlace(n));
    button->SetToolTipText("Prazno");
    button->setFont(Font(SansSerifFamily(), 8.25, true));
    SetColors(button, QPalette::ButtonText, palette().color(QPalette::HighlightedText),
              QPalette::Button, kWorkspace);
    option_buttons_[n - 1] = button;
  }
}

// Focus order: the scroll bar, the presets (M2 .. M8, M1, M9 .. M16), Izhod, Spomin, the store
// buttons, the note box, the band-limit boxes and their save button. Labels take no focus.
void Form1::SetTabOrder() {
  std::vector<QWidget*> order{HScroll1};
  for (int n = 2; n <= 8; ++n) order.push_back(M(n));
  order.push_back(M(1));
  for (int n = 9; n <= kPresetCount; ++n) order.push_back(M(n));
  order.push_back(Exit);
  order.push_back(Mem);
  for (int n = 1; n <= kPresetCount; ++n) order.push_back(MemN(n));
  for (QWidget* widget : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2),
                          static_cast<QWidget*>(Text3), static_cast<QWidget*>(Command1)}) {
    order.push_back(widget);
  }
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  forms::MakeOneFocusStop({option_buttons_.begin(), option_buttons_.end()}, M(2));
}

}  // namespace orx::ui
