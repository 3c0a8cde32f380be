// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Input that piles up while a word is on the wire, delivered through Qt's event queue as the
// keyboard and the wheel deliver it: tuning stops with the hand, and nothing typed is lost.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "app/remote_control.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

using Operation = link::RecordingLineDevice::Operation;

class HeldKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    form = &harness.StartShown("[Freq]\nF1=5000\n");
    form->HScroll1->setFocus();
    // Whatever the test queues when DTR rises, early in a frame, arrives during that frame.
    harness.device.SetObserver([this](const Event& event) {
      if (event.operation != Operation::kDtr || !event.level) return;
      ++frames_started;
      if (during_frame) during_frame(frames_started);
    });
  }
  void TearDown() override { harness.device.SetObserver(nullptr); }

  void PostKey(QEvent::Type type, bool auto_repeat) {
    QCoreApplication::postEvent(
        form->HScroll1, new QKeyEvent(type, Qt::Key_Right, Qt::NoModifier, QString(), auto_repeat));
  }
  void PostWheel(int notches) {
    const QPointF at(100, 10);
    QCoreApplication::postEvent(
        form->HScroll1,
        new QWheelEvent(at, form->HScroll1->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
  }
  // A click as the mouse delivers it: a press and a release through the queue.
  static void PostClick(QWidget* control) {
    const QPoint at = control->rect().center();
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(
          control, new QMouseEvent(type, at, control->mapToGlobal(at), Qt::LeftButton,
                                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                   Qt::NoModifier));
    }
  }
  void RunQueue() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  }

  FormHarness harness;
  ui::Form1* form = nullptr;
  int frames_started = 0;
  std::function<void(int frame)> during_frame;
};

TEST_F(HeldKeys, RepeatsThatArriveDuringAFrameCollapseAndTuningStopsWithTheKey) {
  // The keyboard repeats every 40 ms, so two repeats reach the queue during each 70 ms frame;
  // the key is let go during the fifth.
  bool released = false;
  int frames_at_release = 0;
  during_frame = [&](int frame) {
    if (released) return;
    PostKey(QEvent::KeyPress, true);
    PostKey(QEvent::KeyPress, true);
    if (frame == 5) {
      PostKey(QEvent::KeyRelease, false);
      released = true;
      frames_at_release = frame;
    }
  };
  PostKey(QEvent::KeyPress, false);
  RunQueue();
  EXPECT_EQ(frames_started - frames_at_release, 1);  // one step for what was already queued
  EXPECT_EQ(form->HScroll1->value(), 5006);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{5013, 5014, 5015, 5016, 5017, 5018}));
}

// A second arrow pressed while the first one repeats: the repeats held up by the frame go first.
TEST_F(HeldKeys, AnotherArrowPressedWhileOneRepeatsComesAfterTheHeldRepeats) {
  during_frame = [&](int frame) {
    if (frame != 1) return;
    PostKey(QEvent::KeyPress, true);
    PostKey(QEvent::KeyPress, true);
    QCoreApplication::postEvent(form->HScroll1, new QKeyEvent(QEvent::KeyPress, Qt::Key_Left,
                                                              Qt::NoModifier, QString(), false));
  };
  PostKey(QEvent::KeyPress, false);
  RunQueue();
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{5013, 5014, 5013}));
  EXPECT_EQ(form->HScroll1->value(), 5001);
}

TEST_F(HeldKeys, EveryTapIsOneStepEvenWhenTapsComeFasterThanFrames) {
  during_frame = [&](int frame) {
    if (frame > 1) return;
    for (int tap = 0; tap < 4; ++tap) {
      PostKey(QEvent::KeyPress, false);
      PostKey(QEvent::KeyRelease, false);
    }
  };
  PostKey(QEvent::KeyPress, false);
  RunQueue();
  EXPECT_EQ(form->HScroll1->value(), 5005);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{5013, 5014, 5015, 5016, 5017}));
}

TEST_F(HeldKeys, WheelNotchesDuringAFrameAddUpToOneChange) {
  during_frame = [&](int frame) {
    if (frame > 1) return;
    PostWheel(1);
    PostWheel(1);
    PostWheel(-1);
    PostWheel(3);
  };
  PostWheel(1);
  RunQueue();
  EXPECT_EQ(form->HScroll1->value(), 5005);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{5013, 5017}));
}

TEST_F(HeldKeys, TheReadOutIsOnTheScreenBeforeItsFrameStarts) {
  int label_paints = 0;
  int status_paints = 0;
  struct PaintCounter : QObject {
    int* count;
    explicit PaintCounter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++*count;
      return false;
    }
  } label_counter(&label_paints), status_counter(&status_paints);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  form->Label1->installEventFilter(&label_counter);
  form->Kon->installEventFilter(&status_counter);
  QStringList shown_at_frame;
  during_frame = [&](int) {
    shown_at_frame << QString("%1 %2 %3")
                          .arg(form->Label1->text())
                          .arg(label_paints > 0)
                          .arg(status_paints > 0);
  };
  QTest::keyClick(form->HScroll1, Qt::Key_Right);
  EXPECT_EQ(shown_at_frame, QStringList{"5001 1 1"});
}

// What was held back to be merged goes before any input that came after it: a click on a
// preset, a store, a command from the control port.
TEST_F(HeldKeys, HeldRepeatsGoBeforeAClickThatCameAfterThem) {
  harness.WriteIni("[Freq]\nF1=5000\nF5=5000\n");
  during_frame = [&](int frame) {
    if (frame != 1) return;
    PostKey(QEvent::KeyPress, true);
    PostKey(QEvent::KeyPress, true);
    PostKey(QEvent::KeyRelease, false);
    PostClick(form->M(5));
  };
  PostKey(QEvent::KeyPress, false);
  RunQueue();
  EXPECT_TRUE(form->M(5)->IsSelected());
  EXPECT_EQ(form->HScroll1->value(), 5000);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{5013, 5014, 5012}));
}

TEST_F(HeldKeys, AStoreKeepsTheFrequencyThatHeldInputLeftOnScreen) {
  QTest::mouseClick(form->Mem, Qt::LeftButton);
  form->HScroll1->setFocus();
  during_frame = [&](int frame) {
    if (frame != 1) return;
    PostWheel(2);
    PostClick(form->MemN(3));
  };
  PostKey(QEvent::KeyPress, false);
  RunQueue();
  EXPECT_EQ(form->HScroll1->value(), 5003);
  EXPECT_EQ(harness.Setting("Freq", "F3"), "5003");
}

TEST_F(HeldKeys, AControlPortCommandComesAfterTheWheelTurnedBeforeIt) {
  const QPointF at(100, 10);
  QWheelEvent notches(at, form->HScroll1->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(form->HScroll1, &notches);
  const auto tuning = app::WindowTuning(*form);
  tuning->TuneTo(7000);
  RunQueue();
  EXPECT_EQ(form->HScroll1->value(), 7000);
  EXPECT_EQ(harness.WordsFramed(), (std::vector<uint16_t>{5014, 7012}));
}

}  // namespace
}  // namespace orx::testing
