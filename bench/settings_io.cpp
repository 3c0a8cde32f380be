// Times what start-up and exit do to pll.ini: 35 single-key reads and 34 atomic writes on a
// file holding all 50 keys, each call opening the file anew.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"

using namespace orx::settings;

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder(argc > 1 ? QString(argv[1]) + "/orx-bench-XXXXXX" : QString());
  const QString path = SettingsFilePath(folder.path());
  for (int n = 1; n <= kPresetCount; ++n) {
    basIniFile::WriteIni(path, kFreqSection, FreqKey(n), QString::number(1000 * n));
    basIniFile::WriteIni(path, kSettingsSection, SelectedKey(n), n == 3 ? "True" : "False");
    basIniFile::WriteIni(path, kNotesSection, NoteKey(n), QStringLiteral("Opomba št. %1").arg(n));
  }
  basIniFile::WriteIni(path, kSettingsSection, kMinKey, "0");
  basIniFile::WriteIni(path, kSettingsSection, kMaxKey, "24000");

  constexpr int kRounds = 20;
  double best_reads = 1e9, best_writes = 1e9, total_writes = 0;
  for (int round = 0; round < kRounds; ++round) {
    QElapsedTimer timer;
    timer.start();
    basIniFile::ReadIni(path, kFreqSection, FreqKey(1), "");
    basIniFile::ReadIni(path, kSettingsSection, kMinKey, "");
    basIniFile::ReadIni(path, kSettingsSection, kMaxKey, "");
    for (int n = 1; n <= kPresetCount; ++n) {
      basIniFile::ReadIni(path, kSettingsSection, SelectedKey(n), "");
      basIniFile::ReadIni(path, kNotesSection, NoteKey(n), "");
    }
    best_reads = std::min(best_reads, timer.nsecsElapsed() / 1e6);

    timer.restart();
    for (int n = 1; n <= kPresetCount; ++n) {
      basIniFile::WriteIni(path, kSettingsSection, SelectedKey(n), n == 3 ? "True" : "False");
    }
    basIniFile::WriteIni(path, kSettingsSection, kMinKey, "0");
    basIniFile::WriteIni(path, kSettingsSection, kMaxKey, "24000");
    for (int n = 1; n <= kPresetCount; ++n) {
      basIniFile::WriteIni(path, kNotesSection, NoteKey(n), QStringLiteral("Opomba št. %1").arg(n));
    }
    const double writes = timer.nsecsElapsed() / 1e6;
    best_writes = std::min(best_writes, writes);
    total_writes += writes;
  }
  std::printf("pll.ini in %s\n", qPrintable(folder.path()));
  std::printf("35 reads (start-up):        best %8.3f ms\n", best_reads);
  std::printf("34 atomic writes (exit):    best %8.3f ms  mean %8.3f ms\n", best_writes,
              total_writes / kRounds);
  return 0;
}
