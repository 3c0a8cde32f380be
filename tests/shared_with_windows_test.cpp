// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pll.ini shared with the Windows program: the window stores and exits on files that program
// made, and both programs go on reading every key as it was last written.
#include <gtest/gtest.h>

#include <QTest>

#include "settings/ini_document.h"
#include "settings/text_decoding.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

using settings::Encoding;
using settings::IniDocument;

QByteArray Windows1250(const QString& text) {
  return *settings::EncodeText(text, Encoding::kWindows1250);
}

// A whole pll.ini as the Windows program leaves it, `first` of its sections on top.
QString WindowsMadeText(const QString& first) {
  QString freq = "[Freq]\r\n";
  QString settings = "[Nastavitve]\r\n";
  QString notes = "[Opombe]\r\n";
  const QStringList kNotes = {"Čakovec – šola", "Radio Študent", "Žiga", "Đurđa Ćiril",
                              "ČŠŽ čšž",        "„narodna“",     "€ 5"};
  for (int n = 1; n <= 16; ++n) {
    freq += QString("F%1=%2\r\n").arg(n).arg(1000 + 100 * n);
    settings += QString("M%1=%2\r\n").arg(n).arg(n == 3 ? "True" : "False");
    notes += QString("T%1=%2\r\n").arg(n).arg(kNotes[n % kNotes.size()]);
  }
  settings += "min=1000\r\nmax=30000\r\n";
  const QStringList sections = first == "Opombe"       ? QStringList{notes, freq, settings}
                               : first == "Nastavitve" ? QStringList{settings, freq, notes}
                                                       : QStringList{freq, settings, notes};
  return sections.join("");
}

// Every key of the file the way the given program reads it.
QStringList EveryKey(const QByteArray& bytes, IniDocument::Reader reader) {
  const IniDocument document(bytes, reader);
  QStringList values;
  for (int n = 1; n <= 16; ++n) {
    values << document.Value("Freq", QString("F%1").arg(n)).value_or("<none>")
           << document.Value("Nastavitve", QString("M%1").arg(n)).value_or("<none>")
           << document.Value("Opombe", QString("T%1").arg(n)).value_or("<none>");
  }
  values << document.Value("Nastavitve", "min").value_or("<none>")
         << document.Value("Nastavitve", "max").value_or("<none>");
  return values;
}

void Click(QWidget* control) {
  QTest::mouseClick(control, Qt::LeftButton);
}

class SharedWithWindows : public ::testing::TestWithParam<const char*> {
 protected:
  void StoreIntoPreset(ui::Form1& form, int n, const QString& note) {
    Click(form.Mem);
    form.Text1->setText(note);
    Click(form.MemN(n));
  }
};

// Stores a note the code page lacks into M9 and exits: the Windows program still reads every
// key, and the notes it can show read as they did.
TEST_P(SharedWithWindows, AStoreAndIzhodWithANoteTheCodePageLacksLoseNothingForEither) {
  FormHarness harness;
  const QString text = WindowsMadeText(GetParam());
  auto& form = harness.StartShown(Windows1250(text));
  StoreIntoPreset(form, 9, QStringLiteral("📻 Радио 50 Ω"));
  Click(form.Exit);
  ASSERT_TRUE(harness.messages.isEmpty()) << harness.messages.join("\n").toStdString();

  QStringList expected = EveryKey(Windows1250(text), IniDocument::Reader::kWindowsProgram);
  expected[8 * 3 + 2] = QStringLiteral("📻 Радио 50 Ω");  // T9
  expected[8 * 3] = "1300";                              // F9, the frequency tuned (M3)
  const QByteArray after = harness.IniBytes();
  EXPECT_TRUE(after.startsWith("\xff\xfe"));
  EXPECT_EQ(EveryKey(after, IniDocument::Reader::kThisProgram), expected);
  EXPECT_EQ(EveryKey(after, IniDocument::Reader::kWindowsProgram), expected);

  // And the next start shows every note as it was.
  FormHarness again;
  again.WriteIni(after);
  auto& reloaded = again.Load();
  EXPECT_EQ(reloaded.M(9)->ToolTipText(), QStringLiteral("📻 Радио 50 Ω"));
  EXPECT_EQ(reloaded.M(1)->ToolTipText(), QStringLiteral("Radio Študent"));
}

INSTANTIATE_TEST_SUITE_P(FirstSection, SharedWithWindows,
                         ::testing::Values("Freq", "Nastavitve", "Opombe"),
                         [](const auto& info) { return std::string(info.param); });

// A hand-edited UTF-8 pll.ini with no mark: a note beyond the code page, two exits and a start
// in between never turn the notes into another encoding's letters.
TEST(SharedWithWindowsByHand, AUtf8FileWithoutAMarkKeepsItsNotesThroughStoresAndExits) {
  const QByteArray hand_made =
      "[Freq]\nF1=3300\n[Nastavitve]\nM1=True\nmin=1000\nmax=30000\n[Opombe]\n"
      "T1=\xc4\x8c"
      "akovec\nT2=\xc5\xa0ola\n";
  QByteArray bytes = hand_made;
  for (int run = 0; run < 2; ++run) {
    FormHarness harness;
    auto& form = harness.StartShown(bytes);
    EXPECT_EQ(form.M(1)->ToolTipText(), QStringLiteral("Čakovec")) << run;
    EXPECT_EQ(form.M(2)->ToolTipText(), QStringLiteral("Šola")) << run;
    if (run == 0) {
      Click(form.Mem);
      form.Text1->setText(QStringLiteral("50 Ω → ✓ ș"));
      Click(form.MemN(3));
    }
    Click(form.Exit);
    bytes = harness.IniBytes();
    const IniDocument windows(bytes, IniDocument::Reader::kWindowsProgram);
    EXPECT_EQ(windows.Value("Opombe", "T1"), QStringLiteral("Čakovec")) << run;
    EXPECT_EQ(IniDocument(bytes).Value("Opombe", "T3"), QStringLiteral("50 Ω → ✓ ș")) << run;
  }
}

// Bytes are judged by themselves alone: a sequence cut short by their end is no UTF-8, whatever
// lies beyond them in memory (the rest of the file, after a line).
TEST(Utf8Reading, ASequenceCutShortByTheEndIsNoUtf8WhateverFollowsInMemory) {
  const QByteArray memory = "Radio \xC5\xA0tudent \xE2\x82\xAC";  // Š and €
  EXPECT_EQ(settings::ReadAsUtf8(memory), settings::Utf8Reading::kPlausibleText);
  for (const qsizetype cut : {qsizetype{7}, memory.size() - 1, memory.size() - 2}) {
    EXPECT_EQ(settings::ReadAsUtf8(QByteArrayView(memory).first(cut)),
              settings::Utf8Reading::kInvalid)
        << cut;
  }
}

}  // namespace
}  // namespace orx::testing
