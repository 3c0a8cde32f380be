// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The event rules of the forms layer on real Qt widgets.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "ui/forms/command_button.h"
#include "ui/forms/mouse_routing.h"
#include "ui/forms/option_button.h"
#include "ui/forms/scroll_bar.h"
#include "ui/forms/text_box.h"

namespace orx::testing {
namespace {

class ScrollBarRules : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.setRange(0, 24000);
    bar.setValue(2000);
    bar.resize(500, 25);
  }
  forms::ScrollBar bar;
  QSignalSpy changes{&bar, &forms::ScrollBar::Change};
};

TEST_F(ScrollBarRules, ChangeFollowsEveryNewValueButNotTheSameValue) {
  changes.clear();
  bar.setValue(2000);
  EXPECT_EQ(changes.count(), 0);
  bar.setValue(2001);
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(ScrollBarRules, ALimitThatExcludesTheValueMovesItAndRaisesChange) {
  changes.clear();
  bar.setMinimum(2500);
  EXPECT_EQ(bar.value(), 2500);
  EXPECT_EQ(changes.count(), 1);
  bar.setMaximum(2400);  // below the minimum: Qt pulls the minimum down with it
  EXPECT_EQ(bar.value(), 2400);
  EXPECT_EQ(changes.count(), 2);
  bar.setRange(0, 30000);
  EXPECT_EQ(changes.count(), 2);
}

TEST_F(ScrollBarRules, HoldsTheWholeSixteenBitRange) {
  bar.setRange(-32768, 32767);
  bar.setValue(-32768);
  EXPECT_EQ(bar.value(), -32768);
  bar.setValue(32767);
  EXPECT_EQ(bar.value(), 32767);
}

TEST_F(ScrollBarRules, KeysStepAsOnTheClassicScrollBar) {
  const std::pair<Qt::Key, int> keys[] = {
      {Qt::Key_Right, 2001},    {Qt::Key_Down, 2002},   {Qt::Key_Left, 2001}, {Qt::Key_Up, 2000},
      {Qt::Key_PageDown, 2005}, {Qt::Key_PageUp, 2000}, {Qt::Key_End, 24000}, {Qt::Key_Home, 0}};
  changes.clear();
  int expected_changes = 0;
  for (const auto& [key, value] : keys) {
    QTest::keyClick(&bar, key);
    EXPECT_EQ(bar.value(), value) << QTest::toString(key);
    EXPECT_EQ(changes.count(), ++expected_changes);
  }
}

TEST_F(ScrollBarRules, ModifiersAndTheKeypadStepAsThePlainKeys) {
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {
      {Qt::Key_Right, Qt::ShiftModifier, 2001},
      {Qt::Key_Right, Qt::ControlModifier, 2002},
      {Qt::Key_Right, Qt::KeypadModifier, 2003},
      {Qt::Key_Left, Qt::KeypadModifier | Qt::ShiftModifier, 2002},
      {Qt::Key_PageDown, Qt::ControlModifier, 2007},
      {Qt::Key_PageUp, Qt::KeypadModifier, 2002},
      {Qt::Key_End, Qt::ControlModifier | Qt::KeypadModifier, 24000},
      {Qt::Key_Home, Qt::ShiftModifier, 0}};
  for (const auto& [key, modifiers, value] : keys) {
    QTest::keyClick(&bar, key, modifiers);
    EXPECT_EQ(bar.value(), value) << QTest::toString(key) << " " << modifiers.toInt();
  }
}

// As on Windows, where Alt with a key goes to the system and never to the scroll bar.
TEST_F(ScrollBarRules, AltWithAnArrowOrAnyOtherKeyDoesNotTune) {
  changes.clear();
  for (const auto key :
       {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Home}) {
    for (const auto modifiers :
         {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ShiftModifier,
          Qt::AltModifier | Qt::KeypadModifier}) {
      QTest::keyClick(&bar, key, modifiers);
      EXPECT_EQ(bar.value(), 2000) << QTest::toString(key) << " " << modifiers.toInt();
    }
  }
  EXPECT_EQ(changes.count(), 0);
  QKeyEvent alt_right(QEvent::KeyPress, Qt::Key_Right, Qt::AltModifier);
  QApplication::sendEvent(&bar, &alt_right);
  EXPECT_FALSE(alt_right.isAccepted());  // passed on, for the window and the desktop
  QTest::keyClick(&bar, Qt::Key_Right);  // and the plain key still steps
  EXPECT_EQ(bar.value(), 2001);
}

TEST(CommandButtonRules, EnterAndTheKeypadsEnterClickLikeSpace) {
  forms::CommandButton button("Izhod");
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  QTest::keyClick(&button, Qt::Key_Return);
  QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks, 3);
}

TEST(CommandButtonRules, ReturnHeldDownClicksOnceNotOncePerRepeat) {
  forms::CommandButton button("Izhod");
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::sendKeyEvent(QTest::KeyAction::Press, &button, key, QString(), Qt::NoModifier);
    for (int repeat = 0; repeat < 4; ++repeat) {
      QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
      QApplication::sendEvent(&button, &held);
    }
    QTest::sendKeyEvent(QTest::KeyAction::Release, &button, key, QString(), Qt::NoModifier);
  }
  EXPECT_EQ(clicks, 2);
}

TEST_F(ScrollBarRules, WheelTurnedUpRaisesTheValue) {
  const QPointF at(250, 12);
  QWheelEvent up(at, bar.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  changes.clear();
  QCoreApplication::sendEvent(&bar, &up);
  QCoreApplication::processEvents();  // the notches are applied once the queue has been seen
  EXPECT_EQ(bar.value(), 2001);
  QWheelEvent down(at, bar.mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&bar, &down);
  QCoreApplication::processEvents();
  EXPECT_EQ(bar.value(), 1999);
  EXPECT_EQ(changes.count(), 2);  // two notches down make one change
}

// Touchpads and high-resolution wheels send parts of a notch; the parts add up to steps.
TEST_F(ScrollBarRules, FineWheelStepsAddUpToWholeNotchesInEachDirection) {
  const QPointF at(250, 12);
  const auto turn = [&](int delta, int times) {
    for (int i = 0; i < times; ++i) {
      QWheelEvent event(at, bar.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(&bar, &event);
      QCoreApplication::processEvents();
    }
  };
  turn(15, 7);
  EXPECT_EQ(bar.value(), 2000);
  turn(15, 1);
  EXPECT_EQ(bar.value(), 2001);
  turn(60, 2);
  EXPECT_EQ(bar.value(), 2002);
  turn(-15, 8);
  EXPECT_EQ(bar.value(), 2001);
  turn(-60, 2);
  EXPECT_EQ(bar.value(), 2000);
  turn(-30, 3);
  turn(30, 3);
  EXPECT_EQ(bar.value(), 2000);
}

TEST_F(ScrollBarRules, DraggingTheThumbRaisesChangeOnlyOnRelease) {
  bar.show();
  changes.clear();
  bar.setSliderDown(true);
  bar.setSliderPosition(3000);
  bar.setSliderPosition(4000);
  EXPECT_EQ(changes.count(), 0);
  bar.setSliderDown(false);
  EXPECT_EQ(bar.value(), 4000);
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(ScrollBarRules, TakesTheKeyboardFocus) {
  EXPECT_EQ(bar.focusPolicy(), Qt::StrongFocus);
}

class OptionButtonRules : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      buttons[i] = new forms::OptionButton(QString("M%1").arg(i + 1), &parent);
      buttons[i]->setGeometry(40 * i, 0, 33, 28);
      clicks[i] = std::make_unique<QSignalSpy>(buttons[i], &forms::OptionButton::Click);
    }
    forms::MakeOneFocusStop({buttons[0], buttons[1], buttons[2]}, buttons[0]);
    parent.show();
  }
  int Clicks(int i) const { return clicks[i]->count(); }

  QWidget parent;
  forms::OptionButton* buttons[3];
  std::unique_ptr<QSignalSpy> clicks[3];
};

TEST_F(OptionButtonRules, ClickRunsOnceWhenTheMouseSelects) {
  QTest::mouseClick(buttons[1], Qt::LeftButton);
  EXPECT_TRUE(buttons[1]->IsSelected());
  EXPECT_EQ(Clicks(1), 1);
  QTest::mouseClick(buttons[2], Qt::LeftButton);
  EXPECT_FALSE(buttons[1]->IsSelected());
  EXPECT_EQ(Clicks(1), 1);
  EXPECT_EQ(Clicks(2), 1);
}

TEST_F(OptionButtonRules, ClickRunsAgainForTheButtonAlreadySelected) {
  QTest::mouseClick(buttons[0], Qt::LeftButton);
  QTest::mouseClick(buttons[0], Qt::LeftButton);
  EXPECT_TRUE(buttons[0]->IsSelected());
  EXPECT_EQ(Clicks(0), 2);
  QTest::keyClick(buttons[0], Qt::Key_Space);
  EXPECT_EQ(Clicks(0), 3);
}

TEST_F(OptionButtonRules, SelectionByProgramRaisesClickAndClearingRaisesNothing) {
  buttons[2]->SetSelected(true);
  EXPECT_EQ(Clicks(2), 1);
  buttons[0]->SetSelected(true);
  EXPECT_FALSE(buttons[2]->IsSelected());
  EXPECT_EQ(Clicks(0), 1);
  buttons[0]->SetSelected(false);
  EXPECT_FALSE(buttons[0]->IsSelected());
  buttons[1]->SetSelected(false);
  EXPECT_EQ(Clicks(0) + Clicks(1) + Clicks(2), 2);
  buttons[1]->SetSelected(true);  // the group still works after a clear
  EXPECT_EQ(Clicks(1), 1);
}

TEST_F(OptionButtonRules, ArrowKeysMoveTheSelectionAndRaiseClick) {
  QTest::mouseClick(buttons[0], Qt::LeftButton);
  parent.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
  buttons[0]->setFocus();
  QTest::keyClick(buttons[0], Qt::Key_Right);
  EXPECT_TRUE(buttons[1]->IsSelected());
  EXPECT_EQ(Clicks(1), 1);
}

// A window body that counts the mouse events that reach it.
class Body : public QWidget {
 public:
  Body() { setMouseTracking(true); }
  int presses = 0;
  int moves = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
  void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

TEST(MouseRouting, PressesAndMovesOverAControlNeverReachTheBody) {
  Body body;
  body.resize(300, 100);
  auto* label = new QLabel("kHz", &body);
  label->setGeometry(10, 10, 80, 30);
  forms::KeepMouseInput(label);
  auto* text = new forms::TextBox("0", &body);
  text->setGeometry(100, 10, 80, 30);
  auto* option = new forms::OptionButton("M1", &body);
  option->setGeometry(200, 10, 40, 30);
  QSignalSpy option_moves(option, &forms::OptionButton::MouseMove);
  body.show();

  for (QWidget* control : std::initializer_list<QWidget*>{label, text, option}) {
    QTest::mousePress(control, Qt::LeftButton);
    QTest::mouseRelease(control, Qt::LeftButton);
    QTest::mouseMove(control, QPoint(5, 5));
  }
  EXPECT_EQ(body.presses, 0);
  EXPECT_EQ(body.moves, 0);
  EXPECT_GE(option_moves.count(), 1);

  QTest::mousePress(&body, Qt::RightButton, {}, QPoint(280, 80));
  QTest::mouseMove(&body, QPoint(285, 85));
  QTest::mouseRelease(&body, Qt::RightButton, {}, QPoint(285, 85));
  EXPECT_EQ(body.presses, 1);
  EXPECT_GE(body.moves, 1);
}

TEST(TextBoxRules, EveryKeyReleaseRaisesKeyUpEvenWhenNothingChanged) {
  forms::TextBox box("0");
  QSignalSpy key_ups(&box, &forms::TextBox::KeyUp);
  QTest::keyClick(&box, Qt::Key_Left);
  QTest::keyClick(&box, Qt::Key_Shift);
  QTest::keyClick(&box, Qt::Key_5);
  EXPECT_EQ(key_ups.count(), 3);
  EXPECT_EQ(box.text(), "50");
}

}  // namespace
}  // namespace orx::testing
