// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The receiver's rules without a window: start-up from pll.ini, recall, store, the band limits,
// tuning and the keys "Izhod" writes, with the recording link as the wire.
#include "receiver/receiver.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "link/recording_line_device.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "support/qt_printers.h"
#include "support/synthesizer.h"
#include "support/temp_file.h"
#include "support/virtual_clock.h"

namespace orx::testing {
namespace {

using Recall = receiver::Receiver::Recall;

class ReceiverRules : public ::testing::Test {
 protected:
  // The receiver started on `ini` as either face starts it: loaded, port open, words sent.
  receiver::Receiver& Start(const QByteArray& ini) {
    WriteBytes(IniPath(), ini);
    receiver.Load(settings::basIniFile::ReadIniFile(IniPath()));
    receiver.OpenPort("COM2");
    receiver.SendStartWords();
    return receiver;
  }
  QString IniPath() const { return settings::SettingsFilePath(folder.path()); }
  QString Setting(const QString& section, const QString& key) const {
    return settings::basIniFile::ReadIni(IniPath(), section, key, "<missing>");
  }
  std::vector<uint16_t> WordsOnWire() const { return WordsOf(ReceiveWords(device.Events())); }
  // Until the next call.
  std::vector<uint16_t> TakeWords() {
    auto words = WordsOnWire();
    device.ClearEvents();
    return words;
  }

  QTemporaryDir folder;
  VirtualClock clock;
  link::RecordingLineDevice device{clock};
  link::Module1 link{device, clock};
  receiver::Receiver receiver{link, {IniPath(), QString()}};
};

struct StartCase {
  const char* name;
  const char* ini;
  receiver::Band band;
  int frequency;
  int selected = 0;
};

class ReceiverStart : public ReceiverRules, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ReceiverStart, TakesTheBandAndTheFrequencyAsTheFileHasThem) {
  Start(GetParam().ini);
  EXPECT_EQ(receiver.CurrentBand().lowest, GetParam().band.lowest);
  EXPECT_EQ(receiver.CurrentBand().highest, GetParam().band.highest);
  EXPECT_EQ(receiver.Frequency(), GetParam().frequency);
  EXPECT_EQ(receiver.FrequencyText(), QString::number(GetParam().frequency));
  EXPECT_EQ(receiver.Selected(), GetParam().selected);
  // On the wire only once the port is open: the control word, then the frequency's divider.
  EXPECT_EQ(WordsOnWire(), (std::vector<uint16_t>{0x8505, uint16_t(GetParam().frequency + 12)}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReceiverStart,
    ::testing::Values(
        StartCase{"NoFile", "", {0, 24000}, 2000},
        StartCase{"F1Only", "[Freq]\nF1=7000\n", {0, 24000}, 7000},
        StartCase{"F1InTheBand",
                  "[Freq]\nF1=1000\n[Nastavitve]\nmin=500\nmax=20000\n",
                  {500, 20000},
                  1000},
        StartCase{"F1BelowTheBand",
                  "[Freq]\nF1=100\n[Nastavitve]\nmin=500\nmax=20000\n",
                  {500, 20000},
                  500},
        StartCase{"F1AboveTheBand",
                  "[Freq]\nF1=23000\n[Nastavitve]\nmin=500\nmax=20000\n",
                  {500, 20000},
                  20000},
        StartCase{"BandAboveTheDesignRange",
                  "[Freq]\nF1=30000\n[Nastavitve]\nmin=100\nmax=30000\n",
                  {100, 30000},
                  30000},
        StartCase{"BandWhollyAboveTheDesignRange",
                  "[Freq]\nF1=31000\n[Nastavitve]\nmin=30000\nmax=32000\n",
                  {30000, 32000},
                  31000},
        StartCase{"ReversedLimits",
                  "[Freq]\nF1=1000\n[Nastavitve]\nmin=20000\nmax=1000\n",
                  {0, 24000},
                  1000},
        StartCase{"LowerLimitAloneAboveTheDesignRange",
                  "[Freq]\nF1=1000\n[Nastavitve]\nmin=25000\n",
                  {0, 24000},
                  1000},
        StartCase{"UpperLimitAloneBelowTheDesignRange", "[Nastavitve]\nmax=-5\n", {0, 24000}, 2000},
        // A band of one frequency is a band, not a reversed pair; so is a limit alone that meets
        // the other end of the design range.
        StartCase{"OneFrequencyBand",
                  "[Freq]\nF1=7000\n[Nastavitve]\nmin=5000\nmax=5000\n",
                  {5000, 5000},
                  5000},
        StartCase{"LowerLimitAloneAtTheTopOfTheDesignRange",
                  "[Freq]\nF1=1000\n[Nastavitve]\nmin=24000\n",
                  {24000, 24000},
                  24000},
        StartCase{"UpperLimitAloneAtTheBottomOfTheDesignRange", "[Nastavitve]\nmax=0\n", {0, 0}, 0},
        // The lower limit goes first: the upper one then fits, and moves the frequency.
        StartCase{"NegativeBand", "[Nastavitve]\nmin=-200\nmax=-100\n", {-200, -100}, -100},
        StartCase{"UpperLimitThatDoesNotConvert",
                  "[Freq]\nF1=-50\n[Nastavitve]\nmin=-100\nmax=abc\n",
                  {-100, 24000},
                  -50},
        StartCase{"LastSelectedPresetWins",
                  "[Freq]\nF1=1000\nF2=2200\nF4=4400\n[Nastavitve]\nM2=True\nM4=1\n",
                  {0, 24000},
                  4400,
                  4},
        StartCase{"SixteenthPresetSelected",
                  "[Freq]\nF16=1600\n[Nastavitve]\nM16=True\n",
                  {0, 24000},
                  1600,
                  16},
        StartCase{"SelectedPresetThatDoesNotFit",
                  "[Freq]\nF1=1000\nF5=99999\n[Nastavitve]\nM5=True\n",
                  {0, 24000},
                  1000,
                  5},
        StartCase{"SelectedPresetOutsideTheBand",
                  "[Freq]\nF1=1000\nF6=600\n[Nastavitve]\nM6=true\nmin=800\nmax=2000\n",
                  {800, 2000},
                  1000,
                  6},
        StartCase{"RecalledTextStartsAsANumber",
                  "[Freq]\nF3=03500\n[Nastavitve]\nM3=True\n",
                  {0, 24000},
                  3500,
                  3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceiverRules, TheStartTellsTheFacesOfEveryChangeAndSendsNothingBeforeThePortOpens) {
  int band_changes = 0;
  std::vector<int> frequencies;
  QObject::connect(&receiver, &receiver::Receiver::BandChanged, [&] { ++band_changes; });
  QObject::connect(&receiver, &receiver::Receiver::FrequencyChanged, [&] {
    frequencies.push_back(receiver.Frequency());
    // Told before the word goes out, so that a face shows it first.
    EXPECT_TRUE(WordsOnWire().empty());
  });
  WriteBytes(IniPath(), "[Freq]\nF1=100\n[Nastavitve]\nmin=500\nmax=20000\n[Opombe]\nT7=Val\n");
  receiver.Load(settings::basIniFile::ReadIniFile(IniPath()));
  EXPECT_EQ(band_changes, 2);
  EXPECT_EQ(frequencies, (std::vector<int>{100, 500}));
  EXPECT_EQ(receiver.Note(7), "Val");
  EXPECT_FALSE(receiver.SettingsUnread());
}

TEST_F(ReceiverRules, RecallTunesOnlyToAStoredFrequencyWithinTheBand) {
  Start("[Nastavitve]\nmin=100\nmax=20000\n");
  device.ClearEvents();
  // Read from the file as it is at the recall, whoever wrote it since the start.
  WriteBytes(
      IniPath(),
      "[Freq]\nF2=  \nF3=abc\nF4=30000\nF5=99\nF6=03500\n[Nastavitve]\nmin=100\nmax=20000\n");
  const struct {
    int n;
    Recall outcome;
  } refused[] = {{1, Recall::kEmpty},
                 {2, Recall::kEmpty},
                 {3, Recall::kNotAFrequency},
                 {4, Recall::kOutsideBand},
                 {5, Recall::kOutsideBand}};
  for (const auto& c : refused) {
    EXPECT_EQ(receiver.RecallPreset(c.n), c.outcome) << c.n;
    EXPECT_EQ(receiver.Selected(), c.n);  // the preset is selected all the same
    EXPECT_EQ(receiver.Frequency(), 2000);
  }
  EXPECT_TRUE(TakeWords().empty());

  EXPECT_EQ(receiver.RecallPreset(6), Recall::kTuned);
  EXPECT_EQ(receiver.Frequency(), 3500);
  EXPECT_EQ(receiver.FrequencyText(), "03500");  // shown as stored
  EXPECT_EQ(TakeWords(), std::vector<uint16_t>{3512});
  // Again: the same frequency sends nothing.
  EXPECT_EQ(receiver.RecallPreset(6), Recall::kTuned);
  EXPECT_TRUE(TakeWords().empty());
}

TEST_F(ReceiverRules, TuningSendsEachNewFrequencyOnceAndNothingAfterTheClose) {
  Start("[Nastavitve]\nmin=-32768\nmax=32767\n");
  device.ClearEvents();
  EXPECT_TRUE(receiver.TuneTo(2000));
  EXPECT_TRUE(TakeWords().empty());
  for (const int kilohertz : {0, -20, 32767, -32768, 7001}) EXPECT_TRUE(receiver.TuneTo(kilohertz));
  EXPECT_EQ(TakeWords(), (std::vector<uint16_t>{12, 0xFFF8, 32779, 0x800C, 7013}));
  EXPECT_EQ(receiver.FrequencyText(), "7001");
  receiver.Close();
  EXPECT_FALSE(receiver.TuneTo(7002));
  EXPECT_TRUE(WordsOnWire().empty());
}

TEST_F(ReceiverRules, AWordThatDoesNotReachTheSynthesizerIsReportedAndRefusedLinesOnce) {
  device.SetBreakRefused(true);
  int told = 0;
  QObject::connect(&receiver, &receiver::Receiver::LinesRefused, [&] { ++told; });
  receiver.Load(settings::basIniFile::ReadIniFile(IniPath()));
  EXPECT_FALSE(receiver.TuneTo(3000));  // no port open yet
  EXPECT_TRUE(receiver.LastWordFailed());
  EXPECT_EQ(told, 0);
  receiver.OpenPort("COM2");
  EXPECT_FALSE(receiver.SendStartWords());
  EXPECT_FALSE(receiver.TuneTo(3001));
  EXPECT_EQ(told, 1);
  device.SetBreakRefused(false);
  EXPECT_TRUE(receiver.TuneTo(3002));
  EXPECT_FALSE(receiver.LastWordFailed());
}

TEST_F(ReceiverRules, StoreKeepsTheFrequencyAsShownAndTheNoteForTheExit) {
  Start("[Freq]\nF6=03500\n");
  receiver.RecallPreset(6);
  ASSERT_TRUE(receiver.StorePreset(9, "Val 202"));
  EXPECT_EQ(Setting("Freq", "F9"), "03500");
  EXPECT_EQ(Setting("Opombe", "T9"), "<missing>");  // notes wait for "Izhod"
  EXPECT_EQ(receiver.Note(9), "Val 202");
  receiver.TuneTo(4000);
  ASSERT_TRUE(receiver.StorePreset(9, ""));
  EXPECT_EQ(Setting("Freq", "F9"), "4000");
}

TEST_F(ReceiverRules, SavedLimitsComeBackFromTheFileAndRetuneAFrequencyTheyExclude) {
  Start("[Freq]\nF1=5000\n");
  device.ClearEvents();
  EXPECT_EQ(receiver.BandLimitsToEdit(), std::pair(QString("0"), QString("24000")));
  ASSERT_TRUE(receiver.SaveBandLimits("6000", "9000"));
  EXPECT_EQ(Setting("Nastavitve", "min"), "6000");
  EXPECT_EQ(Setting("Nastavitve", "max"), "9000");
  EXPECT_EQ(receiver.CurrentBand().lowest, 6000);
  EXPECT_EQ(receiver.CurrentBand().highest, 9000);
  EXPECT_EQ(TakeWords(), std::vector<uint16_t>{6012});
  // The lower limit first, each moving the frequency it excludes.
  ASSERT_TRUE(receiver.SaveBandLimits("-300", "-200"));
  EXPECT_EQ(receiver.Frequency(), -200);
  EXPECT_EQ(TakeWords(), (std::vector<uint16_t>{uint16_t(-200 + 12)}));
  EXPECT_EQ(receiver.BandLimitsToEdit(), std::pair(QString("-300"), QString("-200")));
}

TEST_F(ReceiverRules, OnlyWholeLimitsInOrderAreValid) {
  EXPECT_TRUE(receiver::Receiver::ValidBandLimits("-32768", "32767"));
  EXPECT_TRUE(receiver::Receiver::ValidBandLimits("500", "500"));
  EXPECT_FALSE(receiver::Receiver::ValidBandLimits("501", "500"));
  EXPECT_FALSE(receiver::Receiver::ValidBandLimits("0", "32768"));
  EXPECT_FALSE(receiver::Receiver::ValidBandLimits("1.5", "2000"));
  EXPECT_FALSE(receiver::Receiver::ValidBandLimits("", "2000"));
}

TEST_F(ReceiverRules, IzhodWritesTheSelectionTheLimitsAndEveryNote) {
  Start("[Freq]\nF4=4400\n[Nastavitve]\nmin=0100\nmax=abc\n[Opombe]\nT2=Dva\n");
  receiver.RecallPreset(4);
  receiver.StorePreset(16, "Šestnajst");
  const auto keys = receiver.ExitKeys(std::nullopt);
  ASSERT_EQ(keys.size(), 34u);
  const auto value = [&keys](const QString& key) {
    for (const auto& k : keys)
      if (k.key == key) return k.value;
    return QString("<missing>");
  };
  EXPECT_EQ(value("M4"), "True");
  EXPECT_EQ(value("M1"), "False");
  // A stored limit as it stands; one that does not convert, as in force.
  EXPECT_EQ(value("min"), "0100");
  EXPECT_EQ(value("max"), "24000");
  EXPECT_EQ(value("T2"), "Dva");
  EXPECT_EQ(value("T16"), "Šestnajst");
  // Limits being edited go in when valid, and only then.
  const auto edited = receiver.ExitKeys(std::pair(QString("300"), QString("900")));
  EXPECT_EQ(edited[16].value, "300");
  EXPECT_EQ(edited[17].value, "900");
  EXPECT_EQ(receiver.ExitKeys(std::pair(QString("900"), QString("300")))[16].value, "0100");

  ASSERT_TRUE(receiver.SaveOnExit(std::nullopt));
  EXPECT_EQ(Setting("Nastavitve", "M4"), "True");
  EXPECT_EQ(Setting("Opombe", "T16"), "Šestnajst");
  EXPECT_EQ(Setting("Freq", "F4"), "4400");
}

}  // namespace
}  // namespace orx::testing
