// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up from pll.ini (or from nothing), the two words that program the synthesizer, and
// what "Izhod" and any other close leave behind.
#include <gtest/gtest.h>

#include <QTest>

#include "support/form_harness.h"

namespace orx::testing {
namespace {

using link::RecordingLineDevice;

QByteArray Presets(const QByteArray& selected_lines) {
  return "[Freq]\nF1=1000\nF2=2200\nF3=3300\nF4=4400\n[Nastavitve]\nmin=500\nmax=20000\n" +
         selected_lines;
}

TEST(StartUp, ASelectedPresetGivesTheStartingFrequency) {
  FormHarness harness;
  harness.WriteIni(Presets("M1=False\nM2=False\nM3=True\nM4=False\n"));
  auto& form = harness.Load();
  EXPECT_TRUE(form.M(3)->IsSelected());
  EXPECT_EQ(form.HScroll1->value(), 3300);
  EXPECT_EQ(form.Label1->text(), "3300");
  EXPECT_EQ(form.Kon->text(), " 3300 kHz");
  EXPECT_EQ(form.CurrentFrequency(), 3300);
  // Only the control word and the divider word reach the port; the earlier frames found it
  // closed but took their time.
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{0x8505, 3312}));
  EXPECT_EQ(harness.WordsFramed(), (std::vector<uint16_t>{1012, 3312, 0x8505, 3312}));
  EXPECT_GE(harness.clock.Now(), 4 * 70.0);
  EXPECT_EQ(harness.device.OpenedName(), "COM2");
}

TEST(StartUp, SeveralSelectedPresetsAreRecalledInTurnAndTheLastWins) {
  FormHarness harness;
  harness.WriteIni(Presets("M2=true\nM3=0\nM4=-1\n"));
  auto& form = harness.Load();
  EXPECT_FALSE(form.M(2)->IsSelected());
  EXPECT_TRUE(form.M(4)->IsSelected());
  EXPECT_EQ(form.HScroll1->value(), 4400);
  EXPECT_EQ(harness.WordsFramed(), (std::vector<uint16_t>{1012, 2212, 4412, 0x8505, 4412}));
}

TEST(StartUp, NoFileOpensOnTheDesignValuesAndCreatesNothing) {
  FormHarness harness;
  auto& form = harness.Load();
  EXPECT_EQ(form.HScroll1->minimum(), 0);
  EXPECT_EQ(form.HScroll1->maximum(), 24000);
  EXPECT_EQ(form.HScroll1->value(), 2000);
  EXPECT_EQ(form.Kon->text(), " 2000 kHz");
  for (int n = 1; n <= 16; ++n) {
    EXPECT_FALSE(form.M(n)->IsSelected());
    EXPECT_EQ(form.M(n)->ToolTipText(), "");
  }
  EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{0x8505, 2012}));
  EXPECT_FALSE(QFile::exists(harness.IniPath()));
  EXPECT_TRUE(harness.messages.isEmpty());
}

TEST(StartUp, DamagedValuesAreLeftOutAndStartUpGoesOn) {
  const char* damaged[] = {
      "[Freq]\nF1=\n",
      "[Freq]\nF1=sedem\n",
      "[Freq]\nF1=99999\n",
      "[Nastavitve]\nmin=20000\nmax=100\n",
      "[Nastavitve]\nmin=abc\nmax=\n",
      "[Nastavitve]\nM3=yes\n",
      "[Nastavitve]\nM3=True\n",  // F3 missing
      "[Freq]\nF3=30000\n[Nastavitve]\nM3=True\n",
      "\xff\xfe[\0garbage",
  };
  for (const char* ini : damaged) {
    FormHarness harness;
    harness.WriteIni(
        QByteArray(ini, static_cast<qsizetype>(strlen(ini) + (ini[0] == '\xff' ? 9 : 0))));
    auto& form = harness.Load();
    EXPECT_EQ(form.HScroll1->value(), 2000) << ini;
    EXPECT_EQ(form.HScroll1->minimum(), 0) << ini;
    EXPECT_EQ(form.HScroll1->maximum(), 24000) << ini;
    EXPECT_EQ(form.Label1->text(), "2000") << ini;
    EXPECT_EQ(form.Kon->text(), " 2000 kHz") << ini;
    EXPECT_EQ(harness.WordsOnWire(), (std::vector<uint16_t>{0x8505, 2012})) << ini;
  }
}

// A limit whose partner does not convert still applies, alone; the scroll bar shows the band the
// receiver then has, and a value it moved.
TEST(StartUp, ALimitAloneGivesTheScrollBarItsEnd) {
  struct Case {
    const char* ini;
    int lowest, highest, value;
  };
  for (const Case& c :
       {Case{"[Freq]\nF1=1000\n[Nastavitve]\nmin=1500\nmax=abc\n", 1500, 24000, 1500},
        Case{"[Freq]\nF1=9000\n[Nastavitve]\nmin=\nmax=8000\n", 0, 8000, 8000}}) {
    FormHarness harness;
    harness.WriteIni(c.ini);
    auto& form = harness.Load();
    EXPECT_EQ(form.HScroll1->minimum(), c.lowest) << c.ini;
    EXPECT_EQ(form.HScroll1->maximum(), c.highest) << c.ini;
    EXPECT_EQ(form.HScroll1->value(), c.value) << c.ini;
    EXPECT_EQ(form.Label1->text(), QString::number(c.value)) << c.ini;
  }
}

TEST(StartUp, APortThatDoesNotOpenIsReportedBeforeTheWindowShows) {
  FormHarness harness;
  harness.device.SetOpenSucceeds(false);
  harness.WriteIni("[Freq]\nF1=7000\n");
  auto& form = harness.Load();
  form.show();
  EXPECT_EQ(harness.messages, QStringList{"COM Interface Error\nNaprava COM2 ne obstaja."});
  EXPECT_EQ(harness.window_shown_at_message, QList<bool>{false});
  EXPECT_EQ(form.Label1->text(), "7000");
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(harness.WordsFramed().back(), 7012);
}

class Exit : public ::testing::Test {
 protected:
  QStringList KeysInFileOrder() const {
    QStringList keys;
    for (const QByteArray& line : harness.IniBytes().split('\n')) {
      if (line.contains('=')) keys << QString::fromUtf8(line.left(line.indexOf('=')));
    }
    return keys;
  }

  FormHarness harness;
};

TEST_F(Exit, IzhodWritesThe34KeysInOrderAndTheNextStartRestoresThem) {
  const QString long_note =
      QStringLiteral("Radio Koper – glasba, poročila, šport in žur ") + QString(160, u'č');
  harness.WriteIni("[Freq]\nF5=5500\n");
  auto& form = harness.Load();
  form.show();
  QTest::mouseClick(form.M(5), Qt::LeftButton);
  QTest::mouseClick(form.Mem, Qt::LeftButton);
  form.Text1->setText(long_note);
  QTest::mouseClick(form.MemN(9), Qt::LeftButton);
  QTest::mouseClick(form.Mem, Qt::LeftButton);
  form.Text2->setText("100");
  form.Text3->setText("9000");
  QTest::mouseClick(form.Exit, Qt::LeftButton);

  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(harness.device.IsOpen());
  QStringList expected{"F5", "F9"};
  for (int n = 1; n <= 16; ++n) expected << QString("M%1").arg(n);
  expected << "min"
           << "max";
  for (int n = 1; n <= 16; ++n) expected << QString("T%1").arg(n);
  EXPECT_EQ(KeysInFileOrder(), expected);
  EXPECT_EQ(harness.Setting("Nastavitve", "M5"), "True");
  EXPECT_EQ(harness.Setting("Nastavitve", "M9"), "False");
  EXPECT_EQ(harness.Setting("Nastavitve", "min"), "100");
  EXPECT_EQ(harness.Setting("Nastavitve", "max"), "9000");

  FormHarness next;
  next.folder_path = harness.folder_path;
  auto& again = next.Load();
  EXPECT_TRUE(again.M(5)->IsSelected());
  EXPECT_EQ(again.HScroll1->value(), 5500);
  EXPECT_EQ(again.HScroll1->minimum(), 100);
  EXPECT_EQ(again.HScroll1->maximum(), 9000);
  EXPECT_EQ(again.M(9)->ToolTipText(), long_note);
  EXPECT_EQ(again.M(1)->ToolTipText(), "");
}

TEST_F(Exit, LimitsComeFromTheScrollBarUnlessTheBoxesWereLoadedAndHoldABand) {
  harness.WriteIni("[Nastavitve]\nmin=300\nmax=9000\n");
  auto& form = harness.Load();
  form.show();
  form.Exit_Click();  // the boxes still hold their design texts: never written over the band
  EXPECT_EQ(harness.Setting("Nastavitve", "min"), "300");
  EXPECT_EQ(harness.Setting("Nastavitve", "max"), "9000");

  FormHarness edited;
  edited.folder_path = harness.folder_path;
  auto& again = edited.Load();
  again.show();
  QTest::mouseClick(again.Mem, Qt::LeftButton);
  again.Text2->setText("not a number");
  again.Exit_Click();
  EXPECT_EQ(edited.Setting("Nastavitve", "min"), "300");
}

TEST_F(Exit, StoredLimitsNeverLoadedKeepTheirTextAndOnlyUnconvertibleOnesAreReplaced) {
  for (const auto& [stored, min, max] :
       {std::tuple{"min=20000\nmax=1000\n", "20000", "1000"},  // reversed: not applied, kept
        {"min= 0300 \nmax=9000.4\n", "0300", "9000.4"},        // odd forms that convert
        {"min=abc\nmax=\n", "0", "24000"},                     // replaced by the limits in force
        {"", "0", "24000"}}) {
    FormHarness run;
    run.WriteIni(QByteArray("[Nastavitve]\n") + stored);
    auto& form = run.Load();
    form.show();
    form.Exit_Click();
    EXPECT_EQ(run.Setting("Nastavitve", "min"), min) << stored;
    EXPECT_EQ(run.Setting("Nastavitve", "max"), max) << stored;
  }
}

TEST_F(Exit, AnyOtherCloseWritesNothingButClosesThePort) {
  harness.WriteIni("[Freq]\nF1=1000\n");
  auto& form = harness.Load();
  form.show();
  QTest::mouseClick(form.M(3), Qt::LeftButton);
  form.close();
  EXPECT_EQ(harness.IniBytes(), "[Freq]\nF1=1000\n");
  EXPECT_FALSE(harness.device.IsOpen());
  const auto& events = harness.device.Events();
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const Event& e) {
                            return e.operation == RecordingLineDevice::Operation::kClose;
                          }),
            1);
}

TEST_F(Exit, AnExitTheFileRefusesIsReportedOnceAndTheProgramStillEnds) {
  harness.WriteIni("[Freq]\nF1=1000\n");
  auto& form = harness.Load();
  form.show();
  Immutable locked(harness.IniPath());
  if (!locked.active()) GTEST_SKIP() << "chattr +i is not available here";
  form.Exit_Click();
  EXPECT_EQ(harness.messages, QStringList{harness.WriteFailedMessage()});
  // Said over the window, before it closes: the user sees what was not kept, and where.
  EXPECT_EQ(harness.window_shown_at_message, QList<bool>{true});
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(harness.device.IsOpen());
}

}  // namespace
}  // namespace orx::testing
