// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orx::settings {

// The settings file beside the program: its sections and keys.
inline const QString kFileName = QStringLiteral("pll.ini");

inline const QString kFreqSection = QStringLiteral("Freq");
inline const QString kSettingsSection = QStringLiteral("Nastavitve");
inline const QString kNotesSection = QStringLiteral("Opombe");

inline const QString kMinKey = QStringLiteral("min");
inline const QString kMaxKey = QStringLiteral("max");
// The port, for a receiver that is not on COM2; read at start-up only, never written.
inline const QString kPortKey = QStringLiteral("Port");

inline constexpr int kPresetCount = 16;

// Keys of preset n (1 .. 16): its frequency "Fn", its selection "Mn" and its note "Tn".
inline QString FreqKey(int n) {
  return QStringLiteral("F%1").arg(n);
}
inline QString SelectedKey(int n) {
  return QStringLiteral("M%1").arg(n);
}
inline QString NoteKey(int n) {
  return QStringLiteral("T%1").arg(n);
}

// The program's folder followed by the native separator and the file name.
QString SettingsFilePath(const QString& program_folder);

}  // namespace orx::settings
