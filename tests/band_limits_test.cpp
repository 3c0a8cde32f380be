// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Editing and saving the band limits in the store panel.
#include <gtest/gtest.h>

#include <QTest>

#include "support/form_harness.h"

namespace orx::testing {
namespace {

class BandLimits : public ::testing::Test {
 protected:
  ui::Form1& Start(const QByteArray& ini) {
    auto& form = harness.StartShown(ini);
    QTest::mouseClick(form.Mem, Qt::LeftButton);
    return form;
  }
  // Replaces the box's text as typing would, ending with a key release in the box.
  void Type(forms::TextBox* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_End);
  }

  FormHarness harness;
};

TEST_F(BandLimits, OpeningThePanelLoadsTheBoxesWithoutTheSaveButton) {
  auto& form = Start("[Nastavitve]\nmin=100\nmax=20000\n");
  EXPECT_EQ(form.Text2->text(), "100");
  EXPECT_EQ(form.Text3->text(), "20000");
  EXPECT_FALSE(form.Command1->isVisible());
}

TEST_F(BandLimits, SpominOnAnOpenPanelReloadsTheBoxesAndChangesNothingElse) {
  auto& form = Start("[Nastavitve]\nmin=100\nmax=20000\n");
  form.Text1->setText("moja opomba");
  Type(form.Text2, "555");
  QTest::mouseClick(form.Mem, Qt::LeftButton);
  EXPECT_EQ(form.Text2->text(), "100");
  EXPECT_EQ(form.Text1->text(), "moja opomba");
  EXPECT_TRUE(form.Command1->isVisible());  // only its own click hides it
}

TEST_F(BandLimits, AnyKeyReleasedInABoxShowsTheSaveButton) {
  auto& form = Start("");
  QTest::keyClick(form.Text3, Qt::Key_Shift);
  EXPECT_TRUE(form.Command1->isVisible());
}

TEST_F(BandLimits, LimitsThatIncludeTheFrequencySendNothing) {
  auto& form = Start("[Nastavitve]\nmin=0\nmax=24000\n");
  Type(form.Text2, " 1000 ");
  Type(form.Text3, "3000");
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  EXPECT_EQ(form.HScroll1->minimum(), 1000);
  EXPECT_EQ(form.HScroll1->maximum(), 3000);
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(form.Kon->text(), " 2000 kHz");
  EXPECT_EQ(harness.Setting("Nastavitve", "min"), " 1000 ");  // written as typed
  for (QWidget* w : {static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(form.Text2),
                     static_cast<QWidget*>(form.Command1), static_cast<QWidget*>(form.MemN(3))}) {
    EXPECT_FALSE(w->isVisible());
  }
}

TEST_F(BandLimits, ALimitThatExcludesTheFrequencyRetunesToIt) {
  auto& form = Start("");
  Type(form.Text2, "2500");
  Type(form.Text3, "9000");
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  EXPECT_EQ(form.HScroll1->value(), 2500);
  EXPECT_EQ(form.Label1->text(), "2500");
  EXPECT_EQ(form.Kon->text(), " 2500 kHz");
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{2512});

  QTest::mouseClick(form.Mem, Qt::LeftButton);
  Type(form.Text3, "2400");
  Type(form.Text2, "-100");
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  EXPECT_EQ(form.HScroll1->value(), 2400);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{2512, 2412}));
}

TEST_F(BandLimits, LimitsThatAreNotAValidBandAreRefusedAndNothingIsWritten) {
  for (const auto& [lowest, highest] : {std::pair{"", "24000"},
                                        {"abc", "100"},
                                        {"0", "32768"},
                                        {"1.5", "100"},
                                        {"500", "400"},
                                        {"-32769", "0"},
                                        {"1e3", "2000"}}) {
    auto& form = Start("[Nastavitve]\nmin=0\nmax=24000\n");
    const QByteArray file = harness.IniBytes();
    Type(form.Text2, lowest);
    Type(form.Text3, highest);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_EQ(harness.messages.size(), 1) << lowest << " " << highest;
    EXPECT_TRUE(harness.messages.value(0).startsWith(QStringLiteral("Najnižja in najvišja")));
    EXPECT_EQ(harness.IniBytes(), file);
    EXPECT_TRUE(form.Text2->isVisible());
    EXPECT_TRUE(form.Command1->isVisible());
    EXPECT_EQ(form.HScroll1->minimum(), 0);
    EXPECT_EQ(form.HScroll1->maximum(), 24000);
  }
}

TEST_F(BandLimits, ASaveTheFileRefusesIsReportedAndTheFilesLimitsApply) {
  auto& form = Start("[Nastavitve]\nmin=100\nmax=20000\n");
  Immutable locked(harness.IniPath());
  if (!locked.active()) GTEST_SKIP() << "chattr +i is not available here";
  Type(form.Text2, "3000");
  Type(form.Text3, "4000");
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  EXPECT_EQ(harness.messages, QStringList{harness.WriteFailedMessage()});
  EXPECT_EQ(form.HScroll1->minimum(), 100);
  EXPECT_EQ(form.HScroll1->maximum(), 20000);
  EXPECT_FALSE(form.Text2->isVisible());
}

}  // namespace
}  // namespace orx::testing
