// pll.ini against the Windows profile functions themselves (Wine's kernel32 with code page 1250,
// run by tools/test): on a seeded corpus of files such as the Windows program and its users
// leave, both read every key alike, and each reads back unchanged what the other wrote.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <random>

#include "settings/bas_ini_file.h"
#include "settings/text_decoding.h"
#include "support/temp_file.h"

namespace orx::testing {
namespace {

using settings::Encoding;
using settings::basIniFile::ReadIni;
using settings::basIniFile::WriteIni;

QByteArray Windows1250(const QString& text) {
  return *settings::EncodeText(text, Encoding::kWindows1250);
}

// Realistic notes and the odd hand edit, from a seeded generator.
class Corpus {
 public:
  explicit Corpus(unsigned seed) : random_(seed) {}

  QString Note() {
    static const QStringList kWords = {
        "Radio",   "Koper",   "Študent",   "Val",     "202", "Poročila",  "šport", "Žiga",
        "Čakovec", "Đurđa",   "Ćiril",     "ČŠ",      "ČŽ",  "Đš",        "čšž",   "glasba",
        "Zagreb",  "Šibenik", "Ljubljana", "Maribor", "noč", "jutro",     "vreme", "Čas",
        "Ö1",      "Ärger",   "Éire",      "—",       "–",   "„narodna“", "(AM)",  "100%",
        "€",       "1,5",     "kHz",       "Ž-1",     "č/š", "ŠĆĐ",       "đž",    "Ćao!"};
    QStringList words;
    const int count = Pick(1, 5);
    for (int i = 0; i < count; ++i) words << kWords[Pick(0, kWords.size() - 1)];
    return words.join(Pick(0, 4) == 0 ? ", " : " ");
  }

  // A whole file in the Windows program's layout, with what hands and other programs add.
  QByteArray File() {
    const QByteArray eol = Pick(0, 1) ? "\r\n" : "\n";
    QByteArray file;
    const auto line = [&](const QString& text) { file += Windows1250(text) + eol; };
    if (Pick(0, 3) == 0) line("; nastavitve ORX");
    line(Pick(0, 4) == 0 ? "[FREQ]" : "[Freq]");
    for (int n = 1; n <= 4; ++n)
      line(Spaced(QString("F%1").arg(n), QString::number(Pick(100, 30000))));
    if (Pick(0, 3) == 0) line("");
    line(Pick(0, 4) == 0 ? "[nastavitve]" : "[Nastavitve]");
    for (int n = 1; n <= 3; ++n) line(Spaced(QString("M%1").arg(n), n == 2 ? "True" : "False"));
    line(Spaced("min", "100"));
    line(Spaced("max", "30000"));
    line("[Opombe]");
    for (int n = 1; n <= 4; ++n) {
      QString note = Note();
      if (Pick(0, 6) == 0) note = "\"" + note + "\"";
      if (Pick(0, 9) == 0) note = QChar(0xA0) + note + QChar(0xA0);
      line(Spaced(Pick(0, 5) == 0 ? QString("t%1").arg(n) : QString("T%1").arg(n), note));
      if (Pick(0, 9) == 0) line(QString("T%1=podvojen").arg(n));  // the first one counts
      if (Pick(0, 9) == 0) line("; " + Note());
    }
    return file;
  }

  int Pick(int lowest, int highest) {
    return std::uniform_int_distribution<int>(lowest, highest)(random_);
  }

 private:
  QString Spaced(const QString& key, const QString& value) {
    static const QStringList kBlanks = {"", "", "", " ", "\t", "  "};
    const auto blank = [&] { return kBlanks[Pick(0, kBlanks.size() - 1)]; };
    return blank() + key + blank() + "=" + blank() + value + blank();
  }

  std::mt19937 random_;
};

struct Query {
  QString file;
  QString section;
  QString key;
};

class WindowsProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    oracle_ = QProcess::splitCommand(qEnvironmentVariable("ORX_PROFILE_ORACLE"));
    if (oracle_.isEmpty()) GTEST_SKIP() << "set ORX_PROFILE_ORACLE (tools/test does)";
  }

  static QByteArray Hex(const QByteArray& bytes) { return bytes.toHex(); }
  static QByteArray WindowsPath(const QString& path) {
    return "Z:" + QDir::toNativeSeparators(path).replace('/', '\\').toLatin1();
  }

  // Runs the commands through the Windows functions in one go; one answer a command.
  QList<QByteArray> Run(const QList<QByteArray>& commands) {
    QProcess wine;
    wine.start(oracle_.first(), oracle_.mid(1));
    EXPECT_TRUE(wine.waitForStarted());
    wine.write(commands.join('\n') + "\n");
    wine.closeWriteChannel();
    EXPECT_TRUE(wine.waitForFinished(300000));
    QList<QByteArray> answers = wine.readAllStandardOutput().split('\n');
    while (!answers.isEmpty() && answers.back().trimmed().isEmpty()) answers.removeLast();
    for (QByteArray& answer : answers) answer = answer.trimmed();
    EXPECT_EQ(answers.size(), commands.size()) << wine.readAllStandardError().toStdString();
    return answers;
  }
  static QByteArray ReadCommand(const Query& q) {
    return "read " + Hex(WindowsPath(q.file)) + " " + Hex(Windows1250(q.section)) + " " +
           Hex(Windows1250(q.key));
  }
  static QByteArray WriteCommand(const Query& q, const QString& value) {
    return "write " + Hex(WindowsPath(q.file)) + " " + Hex(Windows1250(q.section)) + " " +
           Hex(Windows1250(q.key)) + " " + Hex(Windows1250(value));
  }
  // "value HEX" as text in the code page.
  static QString TheirValue(const QByteArray& answer) {
    return settings::DecodeText(QByteArray::fromHex(answer.mid(6)), Encoding::kWindows1250);
  }

  QTemporaryDir folder;
  QStringList oracle_;
};

const QList<std::pair<QString, QString>> kKeys = {
    {"Freq", "F1"},        {"freq", "f3"},   {"Nastavitve", "M2"}, {"NASTAVITVE", "min"},
    {"Nastavitve", "max"}, {"Opombe", "T1"}, {"Opombe", "T2"},     {"opombe", "t3"},
    {"Opombe", "T4"},      {"Opombe", "T9"}, {"Manjka", "F1"}};

TEST_F(WindowsProfile, TheCodePageIsWindows1250) {
  EXPECT_EQ(Run({"acp"}), QList<QByteArray>{"acp 1250"});
}

TEST_F(WindowsProfile, BothReadEveryKeyOfTheCorpusAlike) {
  Corpus corpus(20261207);
  QList<Query> queries;
  for (int i = 0; i < 1500; ++i) {
    const QString file = folder.filePath(QString("read-%1.ini").arg(i));
    WriteBytes(file, corpus.File());
    for (const auto& [section, key] : kKeys) queries.append({file, section, key});
  }
  QList<QByteArray> commands;
  for (const Query& q : queries) commands << ReadCommand(q);
  const auto answers = Run(commands);
  ASSERT_EQ(answers.size(), queries.size());
  int differences = 0;
  for (qsizetype i = 0; i < queries.size(); ++i) {
    const Query& q = queries[i];
    const QString ours = ReadIni(q.file, q.section, q.key, "");
    const QString theirs = TheirValue(answers[i]);
    if (ours != theirs && ++differences <= 5) {
      ADD_FAILURE() << QFileInfo(q.file).fileName().toStdString() << " [" << q.section.toStdString()
                    << "] " << q.key.toStdString() << ": ours \"" << ours.toStdString()
                    << "\", theirs \"" << theirs.toStdString() << "\"";
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST_F(WindowsProfile, EachReadsBackUnchangedWhatTheOtherWrote) {
  Corpus corpus(7);
  struct Change {
    Query where;
    QString value;
  };
  QList<Change> theirs_written;
  QList<Change> ours_written;
  for (int i = 0; i < 500; ++i) {
    for (auto* changes : {&theirs_written, &ours_written}) {
      const QString file = folder.filePath(
          QString("%1-%2.ini").arg(changes == &ours_written ? "ours" : "theirs").arg(i));
      WriteBytes(file, corpus.File());
      for (int k = 0; k < 3; ++k) {
        const auto& [section, key] = kKeys[corpus.Pick(0, kKeys.size() - 1)];
        // Windows writes a value as it is and trims blanks on reading, so what it writes has none
        // at its ends; ours are quoted when they do.
        QString value = corpus.Note();
        if (changes == &ours_written && corpus.Pick(0, 5) == 0) value = " " + value + "\t";
        changes->append({{file, section, key}, value});
      }
    }
  }

  QList<QByteArray> commands;
  for (const Change& c : theirs_written) commands << WriteCommand(c.where, c.value);
  for (const Change& c : ours_written)
    ASSERT_TRUE(WriteIni(c.where.file, c.where.section, c.where.key, c.value));
  for (const Change& c : ours_written) commands << ReadCommand(c.where);
  const auto answers = Run(commands);
  ASSERT_EQ(answers.size(), theirs_written.size() + ours_written.size());

  // Later writes of a key in the same file win; only the last one is compared.
  const auto last_of = [](const QList<Change>& changes, qsizetype i) {
    for (qsizetype j = i + 1; j < changes.size(); ++j) {
      const Query& a = changes[i].where;
      const Query& b = changes[j].where;
      if (a.file == b.file && a.section.compare(b.section, Qt::CaseInsensitive) == 0 &&
          a.key.compare(b.key, Qt::CaseInsensitive) == 0)
        return false;
    }
    return true;
  };
  int differences = 0;
  for (qsizetype i = 0; i < theirs_written.size(); ++i) {
    const Change& c = theirs_written[i];
    EXPECT_EQ(answers[i], "written 1");
    if (!last_of(theirs_written, i)) continue;
    const QString ours = ReadIni(c.where.file, c.where.section, c.where.key, "<none>");
    if (ours != c.value && ++differences <= 5)
      ADD_FAILURE() << "theirs wrote \"" << c.value.toStdString() << "\", ours read \""
                    << ours.toStdString() << "\"";
  }
  for (qsizetype i = 0; i < ours_written.size(); ++i) {
    const Change& c = ours_written[i];
    if (!last_of(ours_written, i)) continue;
    const QString theirs = TheirValue(answers[theirs_written.size() + i]);
    if (theirs != c.value && ++differences <= 10)
      ADD_FAILURE() << "ours wrote \"" << c.value.toStdString() << "\", theirs read \""
                    << theirs.toStdString() << "\"";
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace orx::testing
