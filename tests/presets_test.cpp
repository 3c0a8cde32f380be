// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Memory presets and the store panel, driven as a user would, checked on the wire, in the file
// and on the screen.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextDocument>

#include "support/form_harness.h"

namespace orx::testing {
namespace {

class Presets : public ::testing::Test {
 protected:
  ui::Form1& Start(const QByteArray& ini) { return harness.StartShown(ini); }
  void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
  void Hover(QWidget* control) { QTest::mouseMove(control, QPoint(5, 5)); }

  FormHarness harness;
};

TEST_F(Presets, EachPresetRecallsItsOwnFrequencyWithOneWord) {
  QByteArray ini = "[Freq]\n";
  for (int n = 1; n <= 16; ++n) ini += QString("F%1=%2\n").arg(n).arg(3000 + 100 * n).toUtf8();
  ini += "[Nastavitve]\nmin=0\nmax=24000\n";
  auto& form = Start(ini);
  for (int n = 1; n <= 16; ++n) {
    form.HScroll1->setValue(100);
    harness.ForgetWire();
    Click(form.M(n));
    const int frequency = 3000 + 100 * n;
    EXPECT_TRUE(form.M(n)->IsSelected()) << n;
    EXPECT_EQ(form.HScroll1->value(), frequency);
    EXPECT_EQ(form.Label1->text(), QString::number(frequency));
    EXPECT_EQ(form.Kon->text(), QString(" %1 kHz").arg(frequency));
    EXPECT_EQ(form.CurrentFrequency(), frequency);
    EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{uint16_t(frequency + 12)}) << n;
  }
}

TEST_F(Presets, TheBandLimitsThemselvesAreInsideTheBand) {
  auto& form =
      Start("[Freq]\nF1=30000\nF2=100\nF3=30001\nF4=99\n[Nastavitve]\nmin=100\nmax=30000\n");
  EXPECT_EQ(form.HScroll1->value(), 30000);  // started on F1, the upper limit
  for (const auto& [preset, tuned] : {std::pair{2, 100}, {1, 30000}, {3, 30000}, {4, 30000}}) {
    Click(form.M(preset));
    EXPECT_EQ(form.HScroll1->value(), tuned) << "M" << preset;
  }
  Click(form.M(2));
  Click(form.M(4));
  EXPECT_EQ(form.HScroll1->value(), 100);
}

TEST_F(Presets, RecallingTheFrequencyAlreadyTunedSendsNothingAndKeepsTheNote) {
  auto& form = Start("[Freq]\nF5=2000\n[Opombe]\nT5=Val 202\n");
  Hover(form.M(5));
  EXPECT_EQ(form.Kon->text(), " Val 202");
  Click(form.M(5));
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(form.Kon->text(), " Val 202");
  EXPECT_EQ(form.Label1->text(), "2000");
}

TEST_F(Presets, ClickingTheSelectedPresetAgainRecallsItAfterTuningAway) {
  auto& form = Start("[Freq]\nF2=7000\n");
  Click(form.M(2));
  form.HScroll1->setValue(7100);
  harness.ForgetWire();
  Click(form.M(2));
  EXPECT_EQ(form.HScroll1->value(), 7000);
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{7012});
}

TEST_F(Presets, EveryRecallReadsTheFileAnew) {
  auto& form = Start("[Freq]\nF7=1000\n");
  form.HScroll1->setValue(5555);
  Click(form.Mem);
  Click(form.MemN(7));
  EXPECT_EQ(harness.Setting("Freq", "F7"), "5555");
  form.HScroll1->setValue(100);
  harness.ForgetWire();
  Click(form.M(7));
  EXPECT_EQ(form.HScroll1->value(), 5555);
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>{5567});
}

TEST_F(Presets, AHandEditedTextIsShownAsStoredAndCopiedByTheNextStore) {
  auto& form = Start("[Freq]\nF3=05000\n");
  Click(form.M(3));
  EXPECT_EQ(form.Label1->text(), "05000");
  EXPECT_EQ(form.Kon->text(), " 5000 kHz");
  EXPECT_EQ(form.CurrentFrequency(), 5000);
  Click(form.Mem);
  Click(form.MemN(4));
  EXPECT_EQ(harness.Setting("Freq", "F4"), "05000");
  EXPECT_TRUE(form.M(3)->IsSelected());  // the store selects nothing
  EXPECT_FALSE(form.M(4)->IsSelected());
}

TEST_F(Presets, AStoreGivesThePresetTheNoteAndClosesThePanel) {
  auto& form = Start("");
  Click(form.Mem);
  for (QWidget* w : {static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(form.Text2),
                     static_cast<QWidget*>(form.Text3), static_cast<QWidget*>(form.MemN(16))}) {
    EXPECT_TRUE(w->isVisible());
  }
  EXPECT_FALSE(form.Command1->isVisible());
  Click(form.MemN(16));
  EXPECT_EQ(form.M(16)->ToolTipText(), QStringLiteral("Vpiši pripombo"));  // untouched note box
  EXPECT_FALSE(form.Text1->isVisible());
  EXPECT_FALSE(form.MemN(1)->isVisible());
  EXPECT_EQ(harness.Setting("Freq", "F16"), "2000");

  Click(form.Mem);
  form.Text1->setText(QStringLiteral("Radio Študent"));
  Click(form.MemN(1));
  EXPECT_EQ(form.M(1)->ToolTipText(), QStringLiteral("Radio Študent"));
  Hover(form.M(1));
  EXPECT_EQ(form.Kon->text(), QStringLiteral(" Radio Študent"));
  EXPECT_EQ(harness.Setting("Opombe", "T1"), "<missing>");  // notes reach the file at exit
  EXPECT_TRUE(harness.WordsOnWire().empty());
}

TEST_F(Presets, AnEmptyNoteShowsAsASingleSpace) {
  auto& form = Start("[Opombe]\nT9=\n");
  Hover(form.M(9));
  EXPECT_EQ(form.Kon->text(), " ");
  Hover(form.M(10));  // no key at all
  EXPECT_EQ(form.Kon->text(), " ");
}

TEST_F(Presets, LineBreaksNeverEnterTheNoteBox) {
  auto& form = Start("");
  Click(form.Mem);
  form.Text1->setText("prva\nvrstica\r\n");
  EXPECT_EQ(form.Text1->text(), "prva vrstica  ");
  form.Text1->insert("a\nb");
  EXPECT_FALSE(form.Text1->text().contains('\n'));
}

TEST_F(Presets, NotesThatLookLikeMarkupShowAndStayExactlyAsTyped) {
  const QString note = QStringLiteral("<b>Val</b> 202 &amp; co  <br>");
  auto& form = Start("[Freq]\nF1=1000\n[Opombe]\nT2=<i>Ars</i>\n");
  EXPECT_EQ(form.M(2)->ToolTipText(), "<i>Ars</i>");
  Click(form.Mem);
  form.Text1->setText(note);
  Click(form.MemN(3));
  Hover(form.M(3));
  EXPECT_EQ(form.Kon->text(), " " + note);
  EXPECT_EQ(form.Kon->textFormat(), Qt::PlainText);
  EXPECT_EQ(form.Label1->textFormat(), Qt::PlainText);
  // The tool tip, rendered the way Qt renders it, reads as the note itself.
  QTextDocument shown;
  shown.setHtml(form.M(3)->toolTip());
  EXPECT_EQ(shown.toPlainText(), note);
  shown.setHtml(form.M(2)->toolTip());
  EXPECT_EQ(shown.toPlainText(), "<i>Ars</i>");

  form.Exit_Click();
  EXPECT_EQ(harness.Setting("Opombe", "T3"), note);
  EXPECT_EQ(harness.Setting("Opombe", "T2"), "<i>Ars</i>");
}

struct RefusedRecall {
  const char* name;
  const char* stored;
  const char* status;
};

class RefusedRecalls : public Presets, public ::testing::WithParamInterface<RefusedRecall> {};

TEST_P(RefusedRecalls, ChangeNothingAndSayWhyInTheStatusLine) {
  QByteArray ini = "[Nastavitve]\nmin=1000\nmax=9000\n[Freq]\nF1=4000\n";
  if (GetParam().stored) ini += QByteArray("F5=") + GetParam().stored + "\n";
  auto& form = Start(ini);
  Click(form.M(1));
  harness.ForgetWire();
  const QByteArray file = harness.IniBytes();
  SpokenResults spoken(form);
  Click(form.M(5));
  EXPECT_EQ(form.Kon->text(), QString::fromUtf8(GetParam().status));
  EXPECT_EQ(spoken.Take(), QStringList{QString::fromUtf8(GetParam().status).trimmed()});
  EXPECT_EQ(form.Label1->text(), "4000");
  EXPECT_EQ(form.HScroll1->value(), 4000);
  EXPECT_EQ(form.CurrentFrequency(), 4000);
  EXPECT_TRUE(harness.WordsOnWire().empty());
  EXPECT_EQ(harness.IniBytes(), file);
  EXPECT_TRUE(harness.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Stored, RefusedRecalls,
    ::testing::Values(RefusedRecall{"Missing", nullptr, " Spomin M5 je prazen"},
                      RefusedRecall{"Empty", "", " Spomin M5 je prazen"},
                      RefusedRecall{"NotANumber", "sedem", " Spomin M5 nima veljavne frekvence"},
                      RefusedRecall{"TooLarge", "99999", " Spomin M5 nima veljavne frekvence"},
                      RefusedRecall{"OutsideTheBand", "9500",
                                    " Frekvenca spomina M5 je izven meja 1000–9000 kHz"}),
    [](const ::testing::TestParamInfo<RefusedRecall>& info) { return info.param.name; });

TEST_F(Presets, AStoreTheFileRefusesIsReported) {
  auto& form = Start("[Freq]\nF1=1000\n");
  Immutable locked(harness.IniPath());
  if (!locked.active()) GTEST_SKIP() << "chattr +i is not available here";
  SpokenResults spoken(form);
  Click(form.Mem);
  (void)spoken.Take();  // the panel opening
  Click(form.MemN(2));
  EXPECT_EQ(harness.messages, QStringList{harness.WriteFailedMessage()});
  EXPECT_TRUE(spoken.Take().isEmpty());  // the message box is what is read, not a success
  EXPECT_EQ(harness.IniBytes(), "[Freq]\nF1=1000\n");
}

}  // namespace
}  // namespace orx::testing
