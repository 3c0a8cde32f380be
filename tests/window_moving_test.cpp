// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Moving the borderless window by its body, and the body putting the frequency back.
#include <gtest/gtest.h>

#include <QTest>

#include "support/form_harness.h"

namespace orx::testing {
namespace {

class WindowMoving : public ::testing::Test {
 protected:
  void SetUp() override {
    form = &harness.Load();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  }

  FormHarness harness;
  ui::Form1* form = nullptr;
};

TEST_F(WindowMoving, ADragOnTheBodyMovesTheWindowWithAnyButton) {
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    const QPoint start = form->pos();
    const QPoint body(200, 90);  // between the panels, over the painted ground
    QTest::mousePress(form, button, {}, body);
    EXPECT_EQ(form->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(form, body + QPoint(40, 25));
    QTest::mouseRelease(form, button, {}, body + QPoint(40, 25));
    EXPECT_EQ(form->pos(), start + QPoint(40, 25));
    EXPECT_EQ(form->cursor().shape(), Qt::SizeAllCursor);  // until the next movement
    QTest::mouseMove(form, QPoint(100, 90));
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
  }
}

TEST_F(WindowMoving, APressOnAControlNeverMovesTheWindow) {
  const QPoint start = form->pos();
  for (QWidget* control : std::initializer_list<QWidget*>{
           form->Label1, form->Kon, form->ORX, form->Exit, form->Mem, form->HScroll1, form->M(4)}) {
    const QPoint inside = control->rect().center();
    QTest::mousePress(control, Qt::RightButton, {}, inside);
    QTest::mouseMove(control, inside + QPoint(3, 2));
    QTest::mouseRelease(control, Qt::RightButton, {}, inside + QPoint(3, 2));
    EXPECT_EQ(form->pos(), start) << control->objectName().toStdString();
  }
  EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WindowMoving, AMovementOverTheBodyBringsTheFrequencyBackAfterANote) {
  form->Receiver().StorePreset(2, "Val 202");
  QTest::mouseMove(form->M(2), QPoint(4, 4));
  EXPECT_EQ(form->Kon->text(), " Val 202");
  QTest::mouseMove(form->Label2, QPoint(4, 4));  // a label is no part of the body
  EXPECT_EQ(form->Kon->text(), " Val 202");
  QTest::mouseMove(form, QPoint(200, 170));
  EXPECT_EQ(form->Kon->text(), " 2000 kHz");
}

TEST_F(WindowMoving, TheStatusLineTakesTheReadOutUnchanged) {
  harness.WriteIni("[Freq]\nF6=0700\n");
  QTest::mouseClick(form->M(6), Qt::LeftButton);
  QTest::mouseMove(form->M(6), QPoint(4, 4));
  QTest::mouseMove(form, QPoint(200, 170));
  EXPECT_EQ(form->Kon->text(), " 0700 kHz");
}

}  // namespace
}  // namespace orx::testing
