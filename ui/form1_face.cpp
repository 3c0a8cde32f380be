// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The front panel looks like a piece of hardware, the same under any desktop style and palette,
// and it tells assistive technology what each control is.
#include <QStyle>
#include <QStyleFactory>

#include "ui/form1.h"

namespace orx::ui {

namespace {

const char kFaceStyle[] = "Fusion";

// Qt's light Fusion palette, every role of every group (active, inactive, disabled). Fusion's own
// standard palette follows the desktop: under a dark GTK theme (Adwaita:dark) it turns dark.
struct RoleColors {
  QPalette::ColorRole role;
  QRgb active;
  QRgb inactive;
  QRgb disabled;
};
constexpr RoleColors kFaceColors[] = {
    {QPalette::WindowText, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xffefefef, 0xffefefef, 0xffefefef},
    {QPalette::Light, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xffffffff, 0xffefefef},
    {QPalette::Window, 0xffefefef, 0xffefefef, 0xffefefef},
    {QPalette::Shadow, 0xff767676, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, 0xff308cc6, 0xff308cc6, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000, 0x80000000},
};

QPalette FacePalette() {
  QPalette face;
  for (const RoleColors& colors : kFaceColors) {
    face.setColor(QPalette::Active, colors.role, QColor::fromRgba(colors.active));
    face.setColor(QPalette::Inactive, colors.role, QColor::fromRgba(colors.inactive));
    face.setColor(QPalette::Disabled, colors.role, QColor::fromRgba(colors.disabled));
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
