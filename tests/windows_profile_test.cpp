// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pll.ini against the Windows profile functions themselves (Wine's kernel32 with code page 1250,
// run by tools/test): on a seeded corpus of files such as the Windows program and its users
// leave, both read every key alike, and each reads back unchanged what the other wrote.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <map>
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

  // A whole file in the Windows program's layout, with what hands and other programs add; its
  // three sections in the order the Windows program left them, `first` of them on top.
  QByteArray File(int first = 0) {
    const QByteArray eol = Pick(0, 1) ? "\r\n" : "\n";
    QByteArray file;
    const auto line = [&](const QString& text) { file += Windows1250(text) + eol; };
    const std::function<void()> sections[] = {
        [&] {
          line(Pick(0, 4) == 0 ? "[FREQ]" : "[Freq]");
          for (int n = 1; n <= 4; ++n)
            line(Spaced(QString("F%1").arg(n), QString::number(Pick(100, 30000))));
          if (Pick(0, 3) == 0) line("");
        },
        [&] {
          line(Pick(0, 4) == 0 ? "[nastavitve]" : "[Nastavitve]");
          for (int n = 1; n <= 3; ++n)
            line(Spaced(QString("M%1").arg(n), n == 2 ? "True" : "False"));
          line(Spaced("min", "100"));
          line(Spaced("max", "30000"));
        },
        [&] {
          line("[Opombe]");
          for (int n = 1; n <= 4; ++n) {
            QString note = Note();
            if (Pick(0, 6) == 0) note = "\"" + note + "\"";
            if (Pick(0, 9) == 0) note = QChar(0xA0) + note + QChar(0xA0);
            line(Spaced(Pick(0, 5) == 0 ? QString("t%1").arg(n) : QString("T%1").arg(n), note));
            if (Pick(0, 9) == 0) line(QString("T%1=podvojen").arg(n));  // the first one counts
            if (Pick(0, 9) == 0) line("; " + Note());
          }
        }};
    if (first == 0 && Pick(0, 3) == 0) line("; nastavitve ORX");
    for (int i = 0; i < 3; ++i) sections[(first + i) % 3]();
    return file;
  }

  // A note as this program's users type them, in any script.
  QString AnyNote() {
    static const QStringList kWords = {"Čakovec – šola",
                                       "€ 5",
                                       "„narodna“",
                                       "50\u00a0kHz",
                                       "Ελλάδα",
                                       "Радио Београд",
                                       "→ sever",
                                       "✓ dobro",
                                       "🙂",
                                       "📻 Val 202",
                                       "Ω",
                                       "Brașov",
                                       "ÄŤ",
                                       "PĂŞUNE",
                                       "Ärger"};
    QStringList words;
    const int count = Pick(1, 3);
    for (int i = 0; i < count; ++i) words << kWords[Pick(0, kWords.size() - 1)];
    return Pick(0, 2) == 0 ? Note() : words.join(" ");
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

// Real Windows differs from Wine where it matters here: it does not honour a UTF-8 mark. Its
// bytes are text of the first line, read in the code page like the rest of the file, so a
// section header there is no header. Wine is shown such a file behind one empty line, where the
// mark is no mark and reads as Windows reads it.
class WindowsModel {
 public:
  explicit WindowsModel(bool honours_utf8_mark = false) : honours_utf8_mark_(honours_utf8_mark) {}

  void Shield(const QStringList& files) {
    if (honours_utf8_mark_) return;
    for (const QString& file : files) {
      const QByteArray bytes = ReadBytes(file);
      if (!bytes.startsWith(kUtf8Mark)) continue;
      WriteBytes(file, kShield + bytes);
      shielded_ << file;
    }
  }
  // A write leaves the line out by itself, as it leaves out every empty line before the first.
  void Unshield() {
    for (const QString& file : std::exchange(shielded_, {})) {
      const QByteArray bytes = ReadBytes(file);
      if (bytes.startsWith(kShield)) WriteBytes(file, bytes.mid(kShield.size()));
    }
  }

  // Whether the Windows program shows what this program wrote: its code page has no place for
  // some characters, and each UTF-16 unit of those reads as one stand-in ("?", or a look-alike
  // such as "›" for "→"); every other character reads as it is.
  static bool Shows(const QString& read, const QString& written) {
    if (read.size() != written.size()) return false;
    for (qsizetype i = 0; i < read.size(); ++i) {
      const bool in_code_page =
          settings::EncodeText(QString(written[i]), Encoding::kWindows1250).has_value();
      if (in_code_page && read[i] != written[i]) return false;
    }
    return true;
  }

 private:
  inline static const QByteArray kUtf8Mark = "\xef\xbb\xbf";
  inline static const QByteArray kShield = "\r\n";
  bool honours_utf8_mark_;
  QStringList shielded_;
};

// The model's own check: without its UTF-8 rule, Windows would find the first line's section.
TEST_F(WindowsProfile, TheWindowsModelTakesAUtf8MarkForTextOfTheFirstLine) {
  const QString file = folder.filePath("mark.ini");
  const QByteArray bytes =
      "\xef\xbb\xbf[Freq]\r\nF1=7000\r\n[Opombe]\r\nT1=\xc4\x8c"
      "akovec\r\n";
  WriteBytes(file, bytes);
  WindowsModel windows;
  windows.Shield({file});
  const auto answers = Run({ReadCommand({file, "Freq", "F1"}), ReadCommand({file, "Opombe", "T1"}),
                            WriteCommand({file, "Freq", "F1"}, "7100")});
  windows.Unshield();
  ASSERT_EQ(answers.size(), 3);
  EXPECT_EQ(TheirValue(answers[0]), "");                          // the section is not found
  EXPECT_EQ(TheirValue(answers[1]), QStringLiteral("ÄŚakovec"));  // UTF-8 read as code page
  // Its write goes to a second [Freq] at the end, and the first line keeps the mark's bytes.
  const QByteArray after = ReadBytes(file);
  EXPECT_TRUE(after.startsWith("\xef\xbb\xbf[Freq]\r\nF1=7000\r\n")) << after.toStdString();
  EXPECT_EQ(after.count("[Freq]"), 2) << after.toStdString();
}

// Sequences as the two programs meet them: a file the Windows program made, then three rounds of
// this program storing and exiting with notes in every script, and the Windows program reading
// everything and exiting (writing back what it shows, with a change of its own) after it. After
// every step both read every key, and each reads the value last written (the Windows program
// a stand-in for what its code page lacks). Never a key lost.
TEST_F(WindowsProfile, NeitherProgramLosesAKeyOrReadsAnotherValueInThreeRoundsBackAndForth) {
  Corpus corpus(20261208);
  struct Key {
    QString section;
    QString key;
  };
  QList<Key> keys = {{"Nastavitve", "min"}, {"Nastavitve", "max"}};
  for (int n = 1; n <= 4; ++n) keys.append(Key{"Freq", QString("F%1").arg(n)});
  keys.append(Key{"Freq", "F9"});
  for (int n = 1; n <= 3; ++n) keys.append(Key{"Nastavitve", QString("M%1").arg(n)});
  for (int n = 1; n <= 4; ++n) keys.append(Key{"Opombe", QString("T%1").arg(n)});
  const auto name = [](const Key& k) { return (k.section + "/" + k.key).toLower(); };
  const auto exit_keys = [&] {
    QList<Key> exit;
    for (const Key& k : keys)
      if (k.section != "Freq") exit << k;
    return exit;
  }();

  struct File {
    QString path;
    std::map<QString, QString> last;  // what was last written, as the writer meant it
  };
  std::vector<File> files;
  for (int i = 0; i < 300; ++i) {
    File f{folder.filePath(QString("sequence-%1.ini").arg(i)), {}};
    WriteBytes(f.path, corpus.File(i % 3));
    files.push_back(std::move(f));
  }
  QStringList paths;
  for (const File& f : files) paths << f.path;

  int differences = 0;
  const auto differ = [&](const File& f, const Key& k, const char* who, const QString& read,
                          const QString& expected, int round) {
    if (read == expected) return;
    if (++differences <= 8)
      ADD_FAILURE() << "round " << round << ", " << QFileInfo(f.path).fileName().toStdString()
                    << " [" << k.section.toStdString() << "] " << k.key.toStdString() << ": " << who
                    << " read \"" << read.toStdString() << "\", last written \""
                    << expected.toStdString() << "\"";
  };

  // The Windows program reads every key, then exits: it writes back what it read, and a store
  // and a note of its own.
  WindowsModel windows;
  const auto windows_turn = [&](int round) {
    QList<QByteArray> commands;
    for (const File& f : files)
      for (const Key& k : keys) commands << ReadCommand({f.path, k.section, k.key});
    windows.Shield(paths);
    auto answers = Run(commands);
    windows.Unshield();
    EXPECT_EQ(answers.size(), commands.size());
    if (answers.size() != commands.size()) return false;
    commands.clear();
    qsizetype at = 0;
    for (File& f : files) {
      std::map<QString, QString> shown;
      for (const Key& k : keys) {
        const QString theirs = TheirValue(answers[at++]);
        if (round > 0) {
          const QString& last = f.last[name(k)];
          differ(f, k, "Windows", WindowsModel::Shows(theirs, last) ? last : theirs, last, round);
        } else {
          f.last[name(k)] = theirs;  // the file as the Windows program made it
        }
        shown[name(k)] = theirs;
      }
      if (round == 3) continue;
      shown["opombe/t" + QString::number(corpus.Pick(1, 4))] = corpus.Note();
      std::vector<std::pair<Key, QString>> writes;
      for (const Key& k : exit_keys) writes.push_back({k, shown[name(k)]});
      writes.push_back({{"Freq", QString("F%1").arg(corpus.Pick(1, 4))},
                        QString::number(corpus.Pick(100, 30000))});
      for (const auto& [k, value] : writes) {
        commands << WriteCommand({f.path, k.section, k.key}, value);
        f.last[name(k)] = value;
      }
    }
    if (commands.isEmpty()) return true;
    windows.Shield(paths);
    answers = Run(commands);
    windows.Unshield();
    return std::all_of(answers.begin(), answers.end(),
                       [](const QByteArray& a) { return a == "written 1"; });
  };

  ASSERT_TRUE(windows_turn(0));
  for (int round = 1; round <= 3; ++round) {
    for (File& f : files) {
      for (const Key& k : keys)
        differ(f, k, "ours", ReadIni(f.path, k.section, k.key, ""), f.last[name(k)], round);
      // A store into a preset, then Izhod with notes in any script.
      const QString preset = QString("F%1").arg(corpus.Pick(1, 9) == 9 ? 9 : corpus.Pick(1, 4));
      const QString frequency = QString::number(corpus.Pick(100, 30000));
      ASSERT_TRUE(WriteIni(f.path, "Freq", preset, frequency));
      f.last[name({"Freq", preset})] = frequency;
      std::vector<settings::KeyValue> exit;
      for (const Key& k : exit_keys) {
        const QString value = k.section == "Opombe" ? corpus.AnyNote() : f.last[name(k)];
        exit.push_back({k.section, k.key, value});
        f.last[name(k)] = value;
      }
      ASSERT_TRUE(settings::basIniFile::WriteIniKeys(f.path, exit));
      EXPECT_FALSE(ReadBytes(f.path).startsWith("\xef\xbb\xbf"));  // never a UTF-8 mark
    }
    ASSERT_TRUE(windows_turn(round));
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace orx::testing
