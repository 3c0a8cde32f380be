// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_texts.h"

namespace orx::ui::texts {

namespace {

QString WriteFailureReason(const settings::basIniFile::IniWrite& write) {
  using Failure = settings::basIniFile::IniWrite::Failure;
  switch (write.failure) {
    case Failure::kNone:
      return QString();
    case Failure::kCannotStore:
      return QStringLiteral("vrednosti z novo vrstico ni mogoče shraniti");
    case Failure::kWriteProtected:
      return QStringLiteral("datoteka je zaščitena pred pisanjem ali pa ni dovoljenja zanjo");
    case Failure::kBusy:
      return QStringLiteral("drug izvod programa jo predolgo shranjuje");
    case Failure::kUnreadable:
      return QStringLiteral(
                 "datoteke ni bilo mogoče prebrati (%1), zato bi se druge vrednosti "
                 "v njej izgubile")
          .arg(SystemReason(write.error_number, write.reason));
    case Failure::kNotRegularFile:
      return QStringLiteral("to ni navadna datoteka");
    case Failure::kSystem:
      return SystemReason(write.error_number, write.reason);
  }
  return write.reason;
}

}  // namespace

QString WriteFailed(const QString& settings_file, const settings::basIniFile::IniWrite& write) {
  return QStringLiteral("%1\n%2: %3").arg(kWriteFailed, settings_file, WriteFailureReason(write));
}

}  // namespace orx::ui::texts
