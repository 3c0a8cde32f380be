// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The tuning path: every change of the scroll bar shows the frequency and sends its word.
#include <gtest/gtest.h>

#include <QTest>

#include "link/word_frame.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

struct TuningCase {
  int value;
  const char* read_out;
  const char* status;
  uint16_t word;
};

class TuningPath : public ::testing::TestWithParam<TuningCase> {};

TEST_P(TuningPath, ShowsTheFrequencyAndSendsItsDividerWord) {
  FormHarness harness;
  harness.WriteIni("[Nastavitve]\nmin=-32768\nmax=32767\n");
  auto& form = harness.Load();
  harness.ForgetWire();

  form.HScroll1->setValue(GetParam().value);

  EXPECT_EQ(form.Label1->text(), GetParam().read_out);
  EXPECT_EQ(form.Kon->text(), GetParam().status);
  EXPECT_EQ(form.CurrentFrequency(), GetParam().value);
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{GetParam().word});
}

INSTANTIATE_TEST_SUITE_P(Frequencies, TuningPath,
                         ::testing::Values(TuningCase{0, "0", " 0 kHz", 12},
                                           TuningCase{24000, "24000", " 24000 kHz", 24012},
                                           TuningCase{-5, "-5", " -5 kHz", 7},
                                           TuningCase{32767, "32767", " 32767 kHz", 32779},
                                           TuningCase{-20, "-20", " -20 kHz", 0xFFF8}),
                         [](const auto& info) {
                           const int value = info.param.value;
                           return (value < 0 ? "minus_" : "") + std::to_string(std::abs(value)) +
                                  "_kHz";
                         });

TEST(Tuning, TheValueAlreadyHeldSendsNothing) {
  FormHarness harness;
  auto& form = harness.Load();
  harness.ForgetWire();
  const QString status = form.Kon->text();
  form.HScroll1->setValue(form.HScroll1->value());
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(form.Kon->text(), status);
}

TEST(Tuning, TheUsersKeysSendLikeTheProgram) {
  FormHarness harness;
  auto& form = harness.Load();
  form.show();
  harness.ForgetWire();
  QTest::keyClick(form.HScroll1, Qt::Key_Right);
  QTest::keyClick(form.HScroll1, Qt::Key_PageDown);
  form.HScroll1->setValue(1000);
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{2013, 2018, 1012}));
  EXPECT_EQ(form.Kon->text(), " 1000 kHz");
}

TEST(Tuning, StartSendsTheControlWordThenTheDividerWord) {
  FormHarness harness;
  auto& form = harness.Load();
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{0x8505, 2012}));
  EXPECT_EQ(form.Label1->text(), "2000");
  EXPECT_EQ(form.Kon->text(), " 2000 kHz");
  EXPECT_TRUE(harness.messages.isEmpty());
}

TEST(Tuning, APortThatDoesNotOpenIsReportedAndTheWindowTunesOn) {
  FormHarness harness;
  harness.device.SetOpenSucceeds(false);
  auto& form = harness.Load();
  EXPECT_EQ(harness.messages, QStringList{"COM Interface Error\nNaprava COM2 ne obstaja."});
  form.HScroll1->setValue(5000);
  EXPECT_EQ(form.Kon->text(), " 5000 kHz");
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(harness.WordsFramed().back(), 5012);
}

TEST(Tuning, ALineTheAdapterRefusesIsReportedOnceAfterTheFrame) {
  FormHarness harness;
  harness.device.SetBreakRefused(true);
  auto& form = harness.Load();
  EXPECT_EQ(harness.messages,
            QStringList{"COM Interface Error\nNaprava COM2 ne sprejema ukazov za krmilne linije."});
  form.HScroll1->setValue(5000);
  form.HScroll1->setValue(6000);
  EXPECT_EQ(harness.messages.size(), 1);
}

TEST(Tuning, ClosingTheWindowClosesThePort) {
  FormHarness harness;
  auto& form = harness.Load();
  form.show();
  form.close();
  EXPECT_FALSE(harness.device.IsOpen());
}

}  // namespace
}  // namespace orx::testing
