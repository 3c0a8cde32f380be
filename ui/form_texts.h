// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "link/open_result.h"
#include "settings/bas_ini_file.h"
#include "ui/system_reason.h"

namespace orx::ui::texts {

// What the window says to the user.
inline const char kComInterfaceError[] = "COM Interface Error";
inline const char kKilohertzSuffix[] = " kHz";
inline const QString kWriteFailed = QStringLiteral("Zapisovanje v datoteko pll.ini ni uspelo.");
// The file's full path and the reason go on a second line: it may not be beside the program.
QString WriteFailed(const QString& settings_file, const settings::basIniFile::IniWrite& write);
// The path and the system's reason go on a second line.
inline QString ReadFailed(const QString& settings_file, int error_number, const QString& reason) {
  return QStringLiteral("Branje datoteke pll.ini ni uspelo.\n%1: %2")
      .arg(settings_file, SystemReason(error_number, reason));
}
inline QString NotSavedAfterReadFailure(const QString& settings_file) {
  return QStringLiteral(
             "Nastavitve niso shranjene, ker datoteke pll.ini ob zagonu ni bilo mogoče prebrati; "
             "datoteka ostaja, kakršna je.\n%1")
      .arg(settings_file);
}
inline const QString kBadBandLimits = QStringLiteral(
    "Najnižja in najvišja frekvenca morata biti celi števili med -32768 in 32767, najnižja pa ne "
    "sme biti večja od najvišje.");

// The second line of "COM Interface Error": which device, and why it cannot be used.
inline QString PortFailure(const link::OpenResult& result) {
  const QString device = QString::fromStdString(result.device);
  switch (result.failure) {
    case link::OpenFailure::kNone:
      return QString();
    case link::OpenFailure::kMissing:
      return QStringLiteral("Naprava %1 ne obstaja.").arg(device);
    case link::OpenFailure::kBusy:
      return QStringLiteral("Naprava %1 je zasedena (uporablja jo drug program).").arg(device);
    case link::OpenFailure::kPermission:
      return QStringLiteral(
                 "Ni dovoljenja za uporabo naprave %1. Uporabnika dodajte v skupino dialout in "
                 "se znova prijavite.")
          .arg(device);
    case link::OpenFailure::kOther:
      break;
  }
  return QStringLiteral("Naprava %1: %2")
      .arg(device,
           SystemReason(result.error_number, QString::fromStdString(result.system_message)));
}

inline QString LineOperationsRefused(const link::OpenResult& result) {
  return QStringLiteral("Naprava %1 ne sprejema ukazov za krmilne linije.")
      .arg(QString::fromStdString(result.device));
}

inline QString ComInterfaceError(const QString& reason) {
  return QStringLiteral("%1\n%2").arg(kComInterfaceError, reason);
}

inline QString PresetEmpty(int n) {
  return QStringLiteral(" Spomin M%1 je prazen").arg(n);
}
inline QString PresetNotAFrequency(int n) {
  return QStringLiteral(" Spomin M%1 nima veljavne frekvence").arg(n);
}
inline QString PresetOutsideBand(int n, int lowest, int highest) {
  return QStringLiteral(" Frekvenca spomina M%1 je izven meja %2–%3 kHz")
      .arg(n)
      .arg(lowest)
      .arg(highest);
}

// What a screen reader says when the store panel opens, and after a recall, a store and a limit
// save.
inline QString StorePanelOpened(const QString& frequency) {
  return QStringLiteral("Shranjevanje %1 kHz: vpišite pripombo in izberite spomin M1–M16")
      .arg(frequency);
}
inline QString PresetRecalled(int n, int frequency) {
  return QStringLiteral("Spomin M%1: %2 kHz").arg(n).arg(frequency);
}
inline QString PresetStored(int n, const QString& frequency) {
  return QStringLiteral("Shranjeno v M%1: %2 kHz").arg(n).arg(frequency);
}
inline QString BandLimitsSaved(int lowest, int highest, int frequency) {
  return QStringLiteral("Meji shranjeni: %1–%2 kHz, frekvenca %3 kHz")
      .arg(lowest)
      .arg(highest)
      .arg(frequency);
}

}  // namespace orx::ui::texts
