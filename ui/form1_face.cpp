// The front panel looks like a piece of hardware, the same under any desktop style and palette,
// and it tells assistive technology what each control is.
#include <QStyle>
#include <QStyleFactory>
#include <memory>

#include "ui/form1.h"

namespace orx::ui {

namespace {

const char kFaceStyle[] = "Fusion";

QPalette FacePalette() {
  std::unique_ptr<QStyle> style(QStyleFactory::create(kFaceStyle));
  QPalette face = style->standardPalette();
  for (int role = 0; role < QPalette::NColorRoles; ++role) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      const auto r = static_cast<QPalette::ColorRole>(role);
      face.setColor(group, r, face.color(group, r));
    }
  }
  return face;
}

}  // namespace

// A palette with every role set, so that no desktop palette shows through it.
void Form1::FixThePalette() {
  setPalette(FacePalette());
}

void Form1::FixTheFace() {
  QStyle* style = QStyleFactory::create(kFaceStyle);
  style->setParent(this);
  setStyle(style);
  for (QWidget* control : findChildren<QWidget*>()) {
    // A style set on a widget is not inherited, so every control gets it. A palette is, but a
    // platform theme may give a class of controls (buttons, say) one of its own, which would
    // win over the window's: every control that has no colours of its own gets the face.
    control->setStyle(style);
    if (!control->testAttribute(Qt::WA_SetPalette)) control->setPalette(palette());
    // The move pointer belongs to the body; a control keeps its own, the text boxes their I-beam.
    if (!control->testAttribute(Qt::WA_SetCursor) &&
        !control->testAttribute(Qt::WA_TransparentForMouseEvents)) {
      control->setCursor(Qt::ArrowCursor);
    }
  }
}

void Form1::DescribeForAssistiveTechnology() {
  HScroll1->setAccessibleName(QStringLiteral("Frekvenca v kHz"));
  Label1->setAccessibleName(QStringLiteral("Frekvenca %1 kHz").arg(Label1->text()));
  for (int n = 1; n <= kPresetCount; ++n) {
    M(n)->setAccessibleName(QStringLiteral("Spomin M%1").arg(n));
    MemN(n)->setAccessibleName(QStringLiteral("Shrani v M%1").arg(n));
  }
  for (forms::TextBox* box : {Text1, Text2, Text3}) box->setAccessibleName(box->toolTip());
  for (QPushButton* button : {Exit, Mem, Command1}) button->setAccessibleName(button->text());
}

}  // namespace orx::ui
