// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Times what start-up and exit do to pll.ini: one read of the whole file with the 35 look-ups of
// start-up, and the exit's 34 keys in one replacement. On the 2 KB file of all 50 keys, on one
// just under the largest file read (a pll.ini that grew by hand), and on a 50 MB file, which is
// refused at once.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "settings/bas_ini_file.h"
#include "settings/file_replacement.h"
#include "settings/pll_ini.h"

using namespace orx::settings;

namespace {

QByteArray AllKeys() {
  QByteArray ini = "[Freq]\r\n";
  for (int n = 1; n <= kPresetCount; ++n)
    ini += "F" + QByteArray::number(n) + "=" + QByteArray::number(1000 * n) + "\r\n";
  ini += "[Nastavitve]\r\n";
  for (int n = 1; n <= kPresetCount; ++n)
    ini += "M" + QByteArray::number(n) + (n == 3 ? "=True\r\n" : "=False\r\n");
  ini += "min=0\r\nmax=24000\r\n[Opombe]\r\n";
  for (int n = 1; n <= kPresetCount; ++n)
    ini += "T" + QByteArray::number(n) + "=Opomba \x9at. " + QByteArray::number(n) + "\r\n";
  return ini;
}

// Hand-written comment lines that make the file `size` bytes long.
QByteArray Grown(qsizetype size) {
  QByteArray ini = AllKeys();
  const QByteArray comment = "; " + QByteArray(60, 'x') + "\r\n";
  ini.reserve(size);
  while (ini.size() + comment.size() <= size) ini += comment;
  return ini;
}

void Measure(const char* what, const QString& path, const QByteArray& content) {
  constexpr int kRounds = 5;
  double best_start = 1e9, best_exit = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) return;
    file.close();

    QElapsedTimer timer;
    timer.start();
    const auto ini = basIniFile::ReadIniFile(path);
    (void)ini.document.Value(kFreqSection, FreqKey(1));
    (void)ini.document.Value(kSettingsSection, kMinKey);
    (void)ini.document.Value(kSettingsSection, kMaxKey);
    for (int n = 1; n <= kPresetCount; ++n) {
      (void)ini.document.Value(kSettingsSection, SelectedKey(n));
      (void)ini.document.Value(kNotesSection, NoteKey(n));
    }
    best_start = std::min(best_start, timer.nsecsElapsed() / 1e6);

    std::vector<KeyValue> values;
    for (int n = 1; n <= kPresetCount; ++n)
      values.push_back({kSettingsSection, SelectedKey(n), n == 3 ? "True" : "False"});
    values.push_back({kSettingsSection, kMinKey, "0"});
    values.push_back({kSettingsSection, kMaxKey, "24000"});
    for (int n = 1; n <= kPresetCount; ++n)
      values.push_back({kNotesSection, NoteKey(n), QStringLiteral("Opomba št. %1").arg(n)});
    timer.restart();
    const bool written = static_cast<bool>(basIniFile::WriteIniKeys(path, values));
    best_exit = std::min(best_exit, timer.nsecsElapsed() / 1e6);
    if (round == 0 && !ini.readable)
      std::printf("%-34s refused at start-up (%s); exit %s\n", what, qPrintable(ini.reason),
                  written ? "wrote" : "refused");
  }
  std::printf("%-34s start-up %9.3f ms   exit %9.3f ms  (best of %d)\n", what, best_start,
              best_exit, kRounds);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder(argc > 1 ? QString(argv[1]) + "/orx-bench-XXXXXX" : QString());
  const QString path = SettingsFilePath(folder.path());
  std::printf("pll.ini in %s\n", qPrintable(folder.path()));
  Measure("all 50 keys (2 KB)", path, AllKeys());
  Measure("grown to 15 MB", path, Grown(15 << 20));
  Measure("grown to 50 MB", path, Grown(50 << 20));
  return 0;
}
