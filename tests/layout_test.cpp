// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The face of the window: every control in its place, what shows at open, what covers what.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QRawFont>
#include <QTest>

#include "support/form_harness.h"

namespace orx::testing {
namespace {

struct Placement {
  const char* name;
  QRect pixels;  // at 15 twips per pixel
};

// The designer's twips, converted by hand.
const Placement kPlacements[] = {
    {"Shape1", {24, 24, 169, 57}},     {"Line1", {24, 24, 169, 1}},
    {"Line2", {24, 24, 1, 57}},        {"Line3", {24, 80, 169, 1}},
    {"Line4", {192, 24, 1, 57}},       {"Label1", {48, 32, 80, 38}},
    {"Label2", {136, 32, 51, 38}},     {"Exit", {16, 112, 49, 17}},
    {"ORX", {80, 104, 47, 30}},        {"Mem", {152, 112, 49, 17}},
    {"Kon", {224, 112, 324, 20}},      {"Text1", {224, 112, 321, 19}},
    {"HScroll1", {32, 136, 513, 25}},  {"Text2", {48, 139, 57, 19}},
    {"Command1", {176, 140, 217, 17}}, {"Text3", {472, 139, 57, 19}},
    {"M1", {232, 24, 33, 28}},         {"M2", {272, 24, 33, 28}},
    {"M8", {512, 24, 33, 28}},         {"M9", {232, 56, 33, 28}},
    {"M16", {512, 56, 33, 28}},        {"Mem1", {232, 24, 33, 28}},
    {"Mem12", {352, 56, 33, 28}},      {"Mem16", {512, 56, 33, 28}},
};

class Layout : public ::testing::Test {
 protected:
  void SetUp() override { form = &harness.Create(); }
  QWidget* Child(const QString& name) { return form->findChild<QWidget*>(name); }
  QWidget* At(QPoint point) { return form->childAt(point); }

  FormHarness harness;
  ui::Form1* form = nullptr;
};

TEST_F(Layout, TheWindowIsABorderlessFixedFrontPanel) {
  EXPECT_EQ(form->size(), QSize(563, 186));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form->windowTitle(), "ORX frekvenca");
  EXPECT_FALSE(form->windowIcon().pixmap(32, 32).isNull());  // the icon draws
}

TEST_F(Layout, EveryControlSitsWhereTheDesignerPutIt) {
  for (const auto& [name, pixels] : kPlacements) {
    QWidget* control = Child(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->geometry(), pixels) << name;
  }
  for (int n = 1; n <= 16; ++n) {
    EXPECT_EQ(form->M(n)->geometry(), form->MemN(n)->geometry()) << n;
    EXPECT_EQ(form->M(n)->text(), QString("M%1").arg(n));
    EXPECT_EQ(form->MemN(n)->text(), QString("M%1").arg(n));
  }
}

TEST_F(Layout, TheStorePanelIsHiddenAtOpenAndNoPresetSelected) {
  form->show();
  for (const char* shown :
       {"Shape1", "Label1", "Label2", "Kon", "ORX", "Exit", "Mem", "HScroll1"}) {
    EXPECT_TRUE(Child(shown)->isVisible()) << shown;
  }
  for (const char* hidden : {"Text1", "Text2", "Text3", "Command1"}) {
    EXPECT_FALSE(Child(hidden)->isVisible()) << hidden;
  }
  for (int n = 1; n <= 16; ++n) {
    EXPECT_TRUE(form->M(n)->isVisible());
    EXPECT_FALSE(form->M(n)->IsSelected());
    EXPECT_EQ(form->M(n)->ToolTipText(), "Prazno");
    EXPECT_FALSE(form->MemN(n)->isVisible());
  }
  EXPECT_EQ(form->HScroll1->minimum(), 0);
  EXPECT_EQ(form->HScroll1->maximum(), 24000);
  EXPECT_EQ(form->HScroll1->value(), 2000);
  EXPECT_EQ(form->Text1->text(), QStringLiteral("Vpiši pripombo"));
  EXPECT_EQ(form->Text2->toolTip(), QStringLiteral("Najnižja frekvenca"));
  EXPECT_EQ(form->Text3->toolTip(), QStringLiteral("Najvišja frekvenca"));
}

TEST_F(Layout, AShownStoreButtonTakesEveryPointOfItsPreset) {
  form->show();
  for (int n = 1; n <= 16; ++n) form->MemN(n)->show();
  for (int n = 1; n <= 16; ++n) {
    const QRect r = form->M(n)->geometry();
    for (QPoint p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}) {
      EXPECT_EQ(At(p), form->MemN(n)) << n;
    }
  }
  bool stored = false;
  QObject::connect(form->MemN(16), &QPushButton::clicked, [&] { stored = true; });
  QTest::mouseClick(At(form->M(16)->geometry().center()), Qt::LeftButton);
  EXPECT_TRUE(stored);
  EXPECT_FALSE(form->M(16)->IsSelected());
}

TEST_F(Layout, TheStorePanelCoversTheStatusLineAndTheScrollBar) {
  form->show();
  for (QWidget* w : {static_cast<QWidget*>(form->Text1), static_cast<QWidget*>(form->Text2),
                     static_cast<QWidget*>(form->Text3), static_cast<QWidget*>(form->Command1)}) {
    w->show();
  }
  const QRect kon = form->Kon->geometry();
  EXPECT_EQ(At(kon.topLeft()), form->Text1);
  EXPECT_EQ(At(QPoint(kon.right() - 3, kon.bottom() - 1)), form->Text1);
  for (int x = kon.right() - 2; x <= kon.right(); ++x)
    EXPECT_EQ(At(QPoint(x, kon.top())), form->Kon);
  EXPECT_EQ(At(QPoint(kon.left(), kon.bottom())), form->Kon);

  const QRect bar = form->HScroll1->geometry();
  EXPECT_TRUE(bar.contains(form->Text2->geometry()));
  EXPECT_TRUE(bar.contains(form->Text3->geometry()));
  EXPECT_TRUE(bar.contains(form->Command1->geometry()));
  EXPECT_EQ(At(form->Text2->geometry().center()), form->Text2);
  EXPECT_EQ(At(form->Command1->geometry().center()), form->Command1);
}

TEST_F(Layout, DecorationTakesNoMouseButLabelsDo) {
  form->show();
  EXPECT_EQ(At(QPoint(30, 75)), nullptr);  // teal read-out: the body
  EXPECT_EQ(At(QPoint(24, 24)), nullptr);  // a line of the sunken frame
  EXPECT_EQ(At(form->Label1->geometry().center()), form->Label1);
  EXPECT_EQ(At(form->ORX->geometry().center()), form->ORX);
}

TEST_F(Layout, TheFirstKeyPressTunesWithTheScrollBar) {
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  EXPECT_EQ(QApplication::focusWidget(), form->HScroll1);
  QTest::keyClick(form->windowHandle(), Qt::Key_Right);
  EXPECT_EQ(form->HScroll1->value(), 2001);
}

TEST_F(Layout, TabVisitsTheControlsInTheDesignersOrder) {
  form->show();
  QStringList order;
  for (QWidget* w = form->HScroll1->nextInFocusChain(); w != form->HScroll1 && order.size() < 60;
       w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
  }
  // The sixteen presets are one stop: the first in order while none is selected.
  QStringList expected{"M2", "Exit", "Mem"};
  for (int n = 1; n <= 16; ++n) expected << QString("Mem%1").arg(n);
  expected << "Text1"
           << "Text2"
           << "Text3"
           << "Command1";
  EXPECT_EQ(order.mid(0, expected.size()), expected);

  QTest::mouseClick(form->M(11), Qt::LeftButton);
  EXPECT_EQ(form->M(11)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(form->M(2)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(Layout, FontsShowSlovenianLetters) {
  // Comic Sans MS by the design; Comic Neue is the face drawn, through fontconfig on Linux and
  // carried inside the program on Windows.
  EXPECT_EQ(QFontInfo(form->Label1->font()).family(), "Comic Neue");
  // MS Sans Serif by the design, or a sans serif that stands in for it with these letters, never
  // the face a missing family falls back to.
  const QString sans_serif = QFontInfo(form->Text1->font()).family();
  EXPECT_TRUE(QStringList({"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "DejaVu Sans"})
                  .contains(sans_serif))
      << sans_serif.toStdString();
  EXPECT_DOUBLE_EQ(form->Label1->font().pointSizeF(), 20.25);
  EXPECT_TRUE(form->ORX->font().bold());
  EXPECT_DOUBLE_EQ(form->Kon->font().pointSizeF(), 9.75);
  EXPECT_TRUE(form->Kon->font().bold());
  EXPECT_DOUBLE_EQ(form->Text1->font().pointSizeF(), 8.25);  // the window's own, inherited
  EXPECT_TRUE(form->M(1)->font().bold());
  // Regular where the designer left it so: the read-out, its unit and the window's own face.
  for (const QWidget* w : {static_cast<QWidget*>(form->Label1), static_cast<QWidget*>(form->Label2),
                           static_cast<QWidget*>(form)})
    EXPECT_FALSE(w->font().bold()) << w->objectName().toStdString();
  for (QWidget* w : {static_cast<QWidget*>(form->Text1), static_cast<QWidget*>(form->Command1),
                     static_cast<QWidget*>(form->Kon), static_cast<QWidget*>(form->Label1)}) {
    // In the face drawn, not borrowed from another one.
    const QRawFont face = QRawFont::fromFont(w->font());
    for (char16_t letter : {u'č', u'š', u'ž', u'Č', u'Š', u'Ž'}) {
      EXPECT_TRUE(face.supportsCharacter(QChar(letter))) << w->objectName().toStdString();
    }
  }
}

TEST_F(Layout, TheGrabShowsGroundReadOutAndCyanDigits) {
  harness.form->Form_Load();
  form->show();
  const QImage image = form->grab().toImage();
  ASSERT_EQ(image.size(), QSize(563, 186) * image.devicePixelRatio());
  EXPECT_EQ(QColor(image.pixel(100, 101)), QColor(132, 132, 132));  // ground between panels
  EXPECT_EQ(QColor(image.pixel(30, 75)), QColor(0, 128, 128));      // read-out
  EXPECT_EQ(QColor(image.pixel(24, 50)), QColor(Qt::black));        // left edge of the frame
  EXPECT_EQ(QColor(image.pixel(100, 80)), QColor(Qt::white));       // bottom edge
  int cyan = 0;
  const QRect digits = form->Label1->geometry();
  for (int y = digits.top(); y <= digits.bottom(); ++y) {
    for (int x = digits.left(); x <= digits.right(); ++x) {
      const QColor c(image.pixel(x, y));
      if (c.red() < 60 && c.green() > 220 && c.blue() > 220) ++cyan;
    }
  }
  EXPECT_GT(cyan, 40);
}

}  // namespace
}  // namespace orx::testing
