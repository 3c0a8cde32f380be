// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cerrno>

#include "system_reason.h"

namespace orx::ui {

QString SystemReason(int error_number, const QString& system_words) {
  switch (error_number) {
    case ENOTTY:
      return QStringLiteral("naprava ne sprejema ukazov za serijska vrata");
    case EIO:
      return QStringLiteral("vhodno-izhodna napaka naprave");
    case ENXIO:
      return QStringLiteral("naprava ni priključena");
    case ENODEV:
      return QStringLiteral("take naprave ni");
    case EACCES:
      return QStringLiteral("ni dovoljenja");
    case EPERM:
      return QStringLiteral("dejanje ni dovoljeno");
    case EBUSY:
      return QStringLiteral("naprava ali vir je zaseden");
    case ENOENT:
      return QStringLiteral("datoteka ali naprava ne obstaja");
    case EROFS:
      return QStringLiteral("datotečni sistem je le za branje");
    case ENOSPC:
      return QStringLiteral("na disku ni več prostora");
    case EDQUOT:
      return QStringLiteral("prostor, ki ga uporabnik sme zasesti na disku, je porabljen");
    case EFBIG:
      return QStringLiteral("datoteka bi presegla največjo velikost, ki jo sistem dovoli");
    case EISDIR:
      return QStringLiteral("to je mapa");
    case ETIMEDOUT:
      return QStringLiteral("naprava se ni odzvala v predvidenem času");
    default:
      return system_words;
  }
}

}  // namespace orx::ui
