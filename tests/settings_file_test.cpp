// Reading and writing single keys of pll.ini: never a lost value, never a damaged file.
#include <gtest/gtest.h>

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "settings/bas_ini_file.h"
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
  EXPECT_EQ(settings::SettingsFilePath("/opt/orx"), "/opt/orx/pll.ini");
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

TEST_F(SettingsFile, AFileKeepsItsEncoding) {
  struct Case {
    const char* what;
    QByteArray before;
    QString value;
    QByteArray after;
  };
  const Case cases[] = {
      {"ASCII file, value that fits Windows-1250", "[Opombe]\n", QStringLiteral("Šport"),
       "[Opombe]\nT1=\x8aport\n"},
      {"ASCII file, value beyond Windows-1250", "[Opombe]\n", QStringLiteral("Ελλάδα €"),
       "\xef\xbb\xbf[Opombe]\nT1=\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1 \xe2\x82\xac\n"},
      {"UTF-8 file", "[Opombe]\nT2=\xc5\xa0ola\n", QStringLiteral("Šport"),
       "[Opombe]\nT2=\xc5\xa0ola\nT1=\xc5\xa0port\n"},
      {"UTF-8 file with a byte-order mark", "\xef\xbb\xbf[Opombe]\n", QStringLiteral("Šport"),
       "\xef\xbb\xbf[Opombe]\nT1=\xc5\xa0port\n"},
      // These Windows-1250 bytes would read back as UTF-8 "č", so the file goes as UTF-8.
      {"value whose Windows-1250 bytes look like UTF-8", "[Opombe]\n", QStringLiteral("ÄŤ"),
       "\xef\xbb\xbf[Opombe]\nT1=\xc3\x84\xc5\xa4\n"},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.before);
    ASSERT_TRUE(WriteIni(path, "Opombe", "T1", c.value)) << c.what;
    EXPECT_EQ(ReadBytes(path), c.after) << c.what;
    EXPECT_EQ(Read("Opombe", "T1"), c.value) << c.what;
  }
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
