// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading and writing single keys of pll.ini: never a lost value, never a damaged file.
#include <gtest/gtest.h>

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "settings/bas_ini_file.h"
#include "settings/ini_document.h"
#include "settings/pll_ini.h"
#include "support/temp_file.h"

namespace orx::testing {
namespace {

using settings::basIniFile::ReadIni;
using settings::basIniFile::WriteIni;

class SettingsFile : public ::testing::Test {
 protected:
  QString Read(const QString& section, const QString& key) {
    return ReadIni(path, section, key, "<default>");
  }
  QStringList FolderEntries() const {
    return QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
  }

  QTemporaryDir folder;
  QString path = settings::SettingsFilePath(folder.path());
};

TEST_F(SettingsFile, PathIsTheProgramFolderAndPllIni) {
  // With the platform's own separator before the name.
  EXPECT_EQ(QDir::fromNativeSeparators(settings::SettingsFilePath("/opt/orx")), "/opt/orx/pll.ini");
}

TEST_F(SettingsFile, NoFileGivesTheDefaultAndTheFirstWriteCreatesIt) {
  EXPECT_EQ(Read("Freq", "F1"), "<default>");
  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7000"));
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=7000\n");
  EXPECT_EQ(Read("Freq", "F1"), "7000");
  EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});  // no temporary file left behind
}

TEST_F(SettingsFile, EmptyValueMissingKeyAndKeysOutsideSections) {
  WriteBytes(path, "F1=1\n[Freq]\nF2=\nF3 = 3\n");
  EXPECT_EQ(Read("Freq", "F2"), "");
  EXPECT_EQ(Read("Freq", "F1"), "<default>");
  EXPECT_EQ(Read("Freq", "F3"), "3");
  EXPECT_EQ(Read("Opombe", "T1"), "<default>");
}

TEST_F(SettingsFile, AHandEditedFileKeepsEveryUntouchedByte) {
  const QByteArray original =
      "; ORX nastavitve\r\n"
      "\r\n"
      "[FREQ]\r\n"
      "  f1 =  7000  \r\n"
      "f2=\"  quoted  \"\r\n"
      "garbage line\r\n"
      "\r\n"
      "[nastavitve]\r\n"
      "Min=0\r\n"
      "MAX = 24000\r\n";
  WriteBytes(path, original);

  EXPECT_EQ(Read("Freq", "F1"), "7000");
  EXPECT_EQ(Read("Freq", "F2"), "  quoted  ");
  EXPECT_EQ(Read("Nastavitve", "max"), "24000");

  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7100"));
  QByteArray expected = original;
  expected.replace("  f1 =  7000  \r\n", "F1=7100\r\n");
  EXPECT_EQ(ReadBytes(path), expected);

  ASSERT_TRUE(WriteIni(path, "Freq", "F3", "9000"));  // new key: end of its section
  expected.replace("garbage line\r\n", "garbage line\r\nF3=9000\r\n");
  EXPECT_EQ(ReadBytes(path), expected);

  ASSERT_TRUE(WriteIni(path, "Opombe", "T1", "x"));  // new section: end of the file
  expected += "[Opombe]\r\nT1=x\r\n";
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SettingsFile, TheFirstMatchingSectionAndKeyWin) {
  WriteBytes(path, "[Freq]\nF1=1\nf1=2\n[freq]\nF1=3\nF9=9\n");
  EXPECT_EQ(Read("Freq", "F1"), "1");
  EXPECT_EQ(Read("Freq", "F9"), "<default>");
  ASSERT_TRUE(WriteIni(path, "freq", "F1", "5"));
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=5\nf1=2\n[freq]\nF1=3\nF9=9\n");
}

TEST_F(SettingsFile, ALastLineWithoutLineEndingStillGetsItsNewKeyOnALineOfItsOwn) {
  WriteBytes(path, "[Freq]\nF1=1");
  ASSERT_TRUE(WriteIni(path, "Freq", "F2", "2"));
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=1\nF2=2\n");
  WriteBytes(path, "[Freq]\nF1=1");
  ASSERT_TRUE(WriteIni(path, "Opombe", "T1", ""));
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=1\n[Opombe]\nT1=\n");
}

TEST_F(SettingsFile, LoneCarriageReturnsEndLinesAndNoSectionIsEverDoubled) {
  // As an old Mac editor saves it.
  WriteBytes(path, "[Freq]\rF1=7000\r[Nastavitve]\rM1=True\rmin=0\r[Opombe]\rT1=a\r");
  EXPECT_EQ(Read("Freq", "F1"), "7000");
  EXPECT_EQ(Read("Nastavitve", "M1"), "True");
  ASSERT_TRUE(WriteIni(path, "Nastavitve", "M1", "False"));
  ASSERT_TRUE(WriteIni(path, "Nastavitve", "max", "24000"));
  ASSERT_TRUE(WriteIni(path, "Opombe", "T2", "b"));
  EXPECT_EQ(ReadBytes(path),
            "[Freq]\rF1=7000\r[Nastavitve]\rM1=False\rmin=0\rmax=24000\r[Opombe]\rT1=a\rT2=b\r");
}

TEST_F(SettingsFile, NamesThatCouldNotBeFoundAgainAreRefused) {
  for (const auto& [section, key] : {std::pair{" Freq", "F1"},
                                     {"Freq ", "F1"},
                                     {"", "F1"},
                                     {"Freq", " F1"},
                                     {"Freq", ""},
                                     {"Freq", "[F1"},
                                     {"Freq", ";F1"},
                                     {"Fr\nq", "F1"}}) {
    EXPECT_FALSE(WriteIni(path, section, key, "1")) << section << "/" << key;
  }
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SettingsFile, EveryStorableValueReadsBackUnchanged) {
  const QString values[] = {
      "",
      "24000",
      QString(200, u'x'),
      QStringLiteral("Radio Slovenija – Val 202, čšž ČŠŽ đć"),
      " leading space",
      "trailing space ",
      "\"double quoted\"",
      "'single quoted'",
      "\"",
      "a=b; c [d]",
      "; looks like a comment",
      "[looks like a section]",
      QStringLiteral("\t tab \t"),
      QString(QChar(0xFEFF)) + QStringLiteral("Val 202"),  // a byte-order mark is text here
      QString(QChar(0xA0)) + QStringLiteral("no-break spaces") + QChar(0xA0),
  };
  for (const QString& value : values) {
    ASSERT_TRUE(WriteIni(path, "Opombe", "T1", value)) << value.toStdString();
    EXPECT_EQ(ReadIni(path, "Opombe", "T1", "<default>"), value) << value.toStdString();
  }
}

TEST_F(SettingsFile, AValueWithALineBreakIsRefusedAndTheFileStaysAsItWas) {
  WriteBytes(path, "[Opombe]\nT1=staro\n");
  for (const QString value : {"dve\nvrstici", "cr\r", "\r\n"}) {
    EXPECT_FALSE(WriteIni(path, "Opombe", "T1", value));
    EXPECT_FALSE(WriteIni(path, "Opombe", "T2", value));
  }
  EXPECT_FALSE(WriteIni(path, "Opombe", "T=1", "x"));
  EXPECT_FALSE(WriteIni(path, "Opo]mbe", "T1", "x"));
  EXPECT_EQ(ReadBytes(path), "[Opombe]\nT1=staro\n");
}

TEST_F(SettingsFile, AWindows1250FileReadsWithItsSlovenianLettersAndKeepsItsBytes) {
  // "Opombe" written by the Windows program: č = E8, š = 9A, ž = 9E, Š = 8A in Windows-1250.
  const QByteArray original =
      "[Opombe]\r\nT1=Poro\xe8ila, \x9a"
      "port, \x9e"
      "eleznica\r\nT2=\x8a"
      "pela\r\n";
  WriteBytes(path, original);
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Poročila, šport, železnica"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Špela"));

  // The Windows program reads the file as Windows-1250, so what fits goes in that code page.
  ASSERT_TRUE(WriteIni(path, "Opombe", "T2", QStringLiteral("Žiga")));
  ASSERT_TRUE(WriteIni(path, "Opombe", "T3", QStringLiteral("Čas")));
  EXPECT_EQ(ReadBytes(path),
            "[Opombe]\r\nT1=Poro\xe8ila, \x9a"
            "port, \x9e"
            "eleznica\r\nT2=\x8e"
            "iga\r\nT3=\xc8"
            "as\r\n");
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Poročila, šport, železnica"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Žiga"));
  EXPECT_EQ(Read("Opombe", "T3"), QStringLiteral("Čas"));
}

QByteArray Utf16(const QString& text) {
  QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
  return encoder(text);
}

// What the Windows program reads: a UTF-8 mark is text to it, and an unmarked file is its code
// page.
QString WindowsReads(const QString& path, const QString& section, const QString& key) {
  return settings::IniDocument(ReadBytes(path), settings::IniDocument::Reader::kWindowsProgram)
      .Value(section, key)
      .value_or("<none>");
}

// Every write reads back as written in both programs. The file keeps its encoding where that
// holds, and otherwise becomes UTF-16LE with its mark, every line converted; no UTF-8 mark is
// ever added.
TEST_F(SettingsFile, EveryWriteReadsBackAsWrittenInThisProgramAndTheWindowsProgram) {
  struct Case {
    const char* what;
    QByteArray before;
    QString section;
    QString value;
    QByteArray after;
  };
  const Case cases[] = {
      {"ASCII file, value that fits Windows-1250", "[Opombe]\n", "Opombe", QStringLiteral("Šport"),
       "[Opombe]\nT1=\x8aport\n"},
      {"ASCII file, value beyond Windows-1250", "[Opombe]\r\n", "Opombe",
       QStringLiteral("Ελλάδα € 🙂"),
       Utf16(QStringLiteral("[Opombe]\r\nT1=Ελλάδα € 🙂\r\n"))},
      {"Windows-1250 file, value beyond it: every line converted",
       "[Opombe]\nT2=\xc8"
       "akovec\n",
       "Opombe", QStringLiteral("50 Ω"), Utf16(QStringLiteral("[Opombe]\nT2=Čakovec\nT1=50 Ω\n"))},
      // These Windows-1250 bytes would read back here as UTF-8 "ÄŤ".
      {"value whose Windows-1250 bytes look like UTF-8", "[Opombe]\n", "Opombe",
       QStringLiteral("PĂŞUNE"), Utf16(QStringLiteral("[Opombe]\nT1=PĂŞUNE\n"))},
      {"a hand-made UTF-8 file, a UTF-8 note", "[Opombe]\nT2=\xc5\xa0ola\n", "Opombe",
       QStringLiteral("Šport"), Utf16(QStringLiteral("[Opombe]\nT2=Šola\nT1=Šport\n"))},
      {"a hand-made UTF-8 file, a plain value", "[Opombe]\nT2=\xc5\xa0ola\n[Freq]\n", "Freq",
       "7000", "[Opombe]\nT2=\xc5\xa0ola\n[Freq]\nT1=7000\n"},
      {"UTF-8 mark, the key in the first line's section", "\xef\xbb\xbf[Opombe]\nT2=x\n", "Opombe",
       "7000", Utf16(QStringLiteral("[Opombe]\nT2=x\nT1=7000\n"))},
      {"UTF-8 mark, a plain value in a later section", "\xef\xbb\xbf[Freq]\n[Opombe]\n", "Opombe",
       "x", "\xef\xbb\xbf[Freq]\n[Opombe]\nT1=x\n"},
      {"UTF-8 mark, a note beyond ASCII", "\xef\xbb\xbf[Freq]\n[Opombe]\n", "Opombe",
       QStringLiteral("Šport"), Utf16(QStringLiteral("[Freq]\n[Opombe]\nT1=Šport\n"))},
      {"UTF-16 stays UTF-16", Utf16(QStringLiteral("[Opombe]\n")), "Opombe",
       QStringLiteral("Šport"), Utf16(QStringLiteral("[Opombe]\nT1=Šport\n"))},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.before);
    ASSERT_TRUE(WriteIni(path, c.section, "T1", c.value)) << c.what;
    EXPECT_EQ(ReadBytes(path), c.after) << c.what;
    EXPECT_EQ(Read(c.section, "T1"), c.value) << c.what;
    const bool code_page_lacks = c.value.contains(u'Ω') || c.value.contains(u'λ');
    if (!code_page_lacks) {
      EXPECT_EQ(WindowsReads(path, c.section, "T1"), c.value) << c.what;
    }
  }
}

// A UTF-8 file's line that only looks like UTF-8: surrogates, over-long forms and code points
// past U+10FFFF are no UTF-8, so the Windows program wrote them, in its code page.
TEST_F(SettingsFile, InAUtf8FileBytesThatAreNoUtf8ReadAsTheWindowsCodePage) {
  for (const QByteArray& note :
       {QByteArray("\xed\xa0\x80"), QByteArray("\xed\xbf\xbf"), QByteArray("\xe0\x80\x80"),
        QByteArray("\xf0\x80\x80\x80"), QByteArray("\xf4\x90\x80\x80")}) {
    WriteBytes(path, "\xef\xbb\xbf[Opombe]\nT1=" + note + "\nT2=\xc5\xa0ola\n");
    EXPECT_EQ(Read("Opombe", "T1"), settings::DecodeText(note, settings::Encoding::kWindows1250))
        << note.toHex().toStdString();
    EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Šola"));
  }
  // The edges themselves are UTF-8: the shortest form of U+0080, U+0800 and U+10000, and U+D7FF,
  // U+E000 and U+10FFFF.
  for (const QByteArray& note :
       {QByteArray("\xc2\x80"), QByteArray("\xe0\xa0\x80"), QByteArray("\xf0\x90\x80\x80"),
        QByteArray("\xed\x9f\xbf"), QByteArray("\xee\x80\x80"), QByteArray("\xf4\x8f\xbf\xbf")}) {
    WriteBytes(path, "\xef\xbb\xbf[Opombe]\nT1=" + note + "\n");
    EXPECT_EQ(Read("Opombe", "T1"), QString::fromUtf8(note)) << note.toHex().toStdString();
  }
}

// Windows-1250 letters whose bytes start a UTF-8 sequence that does not go on: "Ă" is C3, which
// would lead a two-byte character, but here an ASCII letter or the line's end follows it.
TEST_F(SettingsFile, Windows1250BytesThatOnlyBeginUtf8SequencesStayWindows1250) {
  for (const QByteArray& note : {QByteArray("\xc3"
                                            "a"),
                                 QByteArray("Ko\xc3"),
                                 QByteArray("\xe8"
                                            "a\x9a"),
                                 QByteArray("\xf0"
                                            "abc")}) {
    WriteBytes(path, "[Opombe]\nT1=" + note + "\nT2=x\n");
    EXPECT_EQ(Read("Opombe", "T1"), settings::DecodeText(note, settings::Encoding::kWindows1250))
        << note.toHex().toStdString();
  }
}

// "Â" followed by "€‚„…Š" in Windows-1250 is C2 80, C2 82 ... in bytes: valid UTF-8, but for
// control characters of C1 that no note holds. The file stays Windows-1250.
TEST_F(SettingsFile, Windows1250BytesThatSpellC1ControlsInUtf8StayWindows1250) {
  const QByteArray note = "\xc2\x80\xc2\x82\xc2\x84\xc2\x85\xc2\x8a";
  WriteBytes(path, "[Opombe]\nT1=" + note + "\n");
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Â€Â‚Â„Â…ÂŠ"));
  ASSERT_TRUE(WriteIni(path, "Opombe", "T2", QStringLiteral("Âš")));
  EXPECT_EQ(ReadBytes(path), "[Opombe]\nT1=" + note + "\nT2=\xc2\x9a\n");
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Â€Â‚Â„Â…ÂŠ"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Âš"));
}

// Izhod's keys at once: each one, not only the last of its section, reads back in the Windows
// program, so the UTF-8 note among them turns a hand-made UTF-8 file into UTF-16.
TEST_F(SettingsFile, EveryKeyOfOneReplacementReadsBackInBothPrograms) {
  WriteBytes(path, "[Opombe]\nT1=\xc5\xa0ola\n");
  ASSERT_TRUE(settings::basIniFile::WriteIniKeys(
      path,
      {{"Opombe", "T1", QStringLiteral("Šola")}, {"Opombe", "T2", "x"}, {"Opombe", "T3", "y"}}));
  EXPECT_EQ(WindowsReads(path, "Opombe", "T1"), QStringLiteral("Šola"));
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Šola"));
  EXPECT_TRUE(ReadBytes(path).startsWith("\xff\xfe"));
}

// Overwriting the one note whose bytes keep the file from reading as UTF-8 must not change how
// the others read.
TEST_F(SettingsFile, AWriteNeverChangesHowTheOtherLinesRead) {
  const QByteArray before =
      "[Opombe]\nT1=\xe8\x9a\x9e\nT2=P\xc3\xaa"
      "UNE\n";
  WriteBytes(path, before);
  ASSERT_EQ(Read("Opombe", "T2"), QStringLiteral("PĂŞUNE"));
  ASSERT_TRUE(WriteIni(path, "Opombe", "T1", "abc"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("PĂŞUNE"));
  EXPECT_EQ(WindowsReads(path, "Opombe", "T2"), QStringLiteral("PĂŞUNE"));
  EXPECT_TRUE(ReadBytes(path).startsWith("\xff\xfe"));
}

// The Windows program writes its code page into a UTF-8 file: those lines read as such, and
// keep their bytes until a write touches them.
TEST_F(SettingsFile, InAUtf8FileALineTheWindowsProgramWroteReadsAsItsCodePage) {
  const QByteArray windows_line =
      "T2=\xc8"
      "akovec \x96 \x9aola";  // not UTF-8
  WriteBytes(path,
             "\xef\xbb\xbf[Freq]\nF1=7000\n[Opombe]\nT1=\xc5\xa0port\n" + windows_line + "\n");
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Šport"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Čakovec – šola"));
  // A character no pll.ini holds in UTF-8 (Greek, CE A9) does not decide the line: the bytes
  // after it are no UTF-8, so the line is the Windows program's all the same.
  WriteBytes(path, "\xef\xbb\xbf[Opombe]\nT1=\xce\xa9 \x8a\xe8\nT2=\xce\xa9 \xc5\xa1\n");
  EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Î© Šč"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Ω š"));
  WriteBytes(path,
             "\xef\xbb\xbf[Freq]\nF1=7000\n[Opombe]\nT1=\xc5\xa0port\n" + windows_line + "\n");
  ASSERT_TRUE(WriteIni(path, "Opombe", "T3", "x"));
  EXPECT_TRUE(ReadBytes(path).contains("\n" + windows_line + "\n"));
  EXPECT_EQ(Read("Opombe", "T2"), QStringLiteral("Čakovec – šola"));
  // A write the Windows program could not read converts every line as it reads here.
  ASSERT_TRUE(WriteIni(path, "Freq", "F1", "7100"));
  EXPECT_EQ(
      ReadBytes(path),
      Utf16(QStringLiteral("[Freq]\nF1=7100\n[Opombe]\nT1=Šport\nT2=Čakovec – šola\nT3=x\n")));
}

TEST_F(SettingsFile, AUtf16FileWithAByteOrderMarkIsReadAndWrittenBackInUtf16) {
  const QString text = QStringLiteral("[Freq]\r\nF1=7000\r\n[Opombe]\r\nT1=Radio Študent\r\n");
  for (auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE}) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    WriteBytes(path, encoder(text));
    EXPECT_EQ(Read("Freq", "F1"), "7000");
    EXPECT_EQ(Read("Opombe", "T1"), QStringLiteral("Radio Študent"));
    ASSERT_TRUE(WriteIni(path, "Opombe", "T2", QStringLiteral("Žiga")));
    QStringEncoder expected(encoding, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(ReadBytes(path), QByteArray(expected(text + QStringLiteral("T2=Žiga\r\n"))));
  }
}

TEST_F(SettingsFile, AUtf16WriteKeepsEveryByteItDoesNotTouch) {
  // A comment with an unpaired surrogate, and a stray odd byte at the end.
  const QByteArray header = QByteArray("\xff\xfe", 2) + QByteArray(";\0\x00\xd8\r\0\n\0", 8);
  const QByteArray body = QByteArray("[\0O\0]\0\r\0\n\0", 10);
  WriteBytes(path, header + body + "\x41");
  ASSERT_TRUE(WriteIni(path, "O", "K", "v"));
  EXPECT_EQ(ReadBytes(path), header + body + QByteArray("K\0=\0v\0\r\0\n\0", 10) + "\x41");
  EXPECT_EQ(Read("O", "K"), "v");
}

TEST_F(SettingsFile, AWriteIntoAFolderThatDoesNotExistFails) {
  const QString missing = settings::SettingsFilePath(folder.filePath("nowhere"));
  EXPECT_FALSE(WriteIni(missing, "Freq", "F1", "1"));
  EXPECT_EQ(ReadIni(missing, "Freq", "F1", "d"), "d");
}

TEST_F(SettingsFile, AnUnreadableSettingsFileIsNeverReplaced) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("pll.ini"));  // a folder where the file should be
  EXPECT_EQ(Read("Freq", "F1"), "<default>");
  EXPECT_FALSE(WriteIni(path, "Freq", "F1", "1"));
  EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsFile, AnImmutableFileOrFolderGivesFalseAndIsLeftAsItWas) {
  WriteBytes(path, "[Freq]\nF1=1\n");
  {
    Immutable file(path);
    if (!file.active()) GTEST_SKIP() << "chattr +i is not available here";
    EXPECT_FALSE(WriteIni(path, "Freq", "F1", "2"));
    EXPECT_FALSE(WriteIni(path, "Freq", "F2", "2"));
  }
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=1\n");
  {
    Immutable whole_folder(folder.path());
    EXPECT_FALSE(WriteIni(path, "Freq", "F1", "2"));
  }
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=1\n");
  EXPECT_EQ(FolderEntries(), QStringList{"pll.ini"});
}

TEST_F(SettingsFile, HugeAndBinaryFilesAreReadWithoutHarm) {
  QByteArray bytes = "[Freq]\nF1=";
  bytes += QByteArray(3 * 1024 * 1024, 'x');
  bytes += "\n";
  bytes += QByteArray(1024, '\0');
  bytes += "\n[Opombe]\nT1=a\0b\n\xff\xfe\x80=\x81\n";
  WriteBytes(path, bytes);
  EXPECT_EQ(Read("Freq", "F1").size(), 3 * 1024 * 1024);
  EXPECT_EQ(Read("Opombe", "T1"), "a");  // stops at the NUL the literal carries
  ASSERT_TRUE(WriteIni(path, "Opombe", "T2", "ok"));
  EXPECT_EQ(Read("Opombe", "T2"), "ok");
  EXPECT_EQ(Read("Freq", "F1").size(), 3 * 1024 * 1024);
}

}  // namespace
}  // namespace orx::testing
