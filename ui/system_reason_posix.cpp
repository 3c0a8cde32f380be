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
    case ENOTDIR:
      return QStringLiteral("del poti ni mapa");
    case ENAMETOOLONG:
      return QStringLiteral("ime ali pot je predolga");
    case ELOOP:
      return QStringLiteral("na poti je preveč simbolnih povezav (morda krog)");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("odprtih je že preveč datotek");
    case ENOMEM:
      return QStringLiteral("zmanjkalo je pomnilnika");
    case EINVAL:
      return QStringLiteral("neveljavna zahteva ali napačna vrsta datoteke (ni navadna datoteka)");
    case EAGAIN:
      return QStringLiteral("vir trenutno ni na voljo, poskusite znova");
    case EINTR:
      return QStringLiteral("klic je prekinil signal");
    case ETXTBSY:
      return QStringLiteral("datoteko ravno izvaja ali piše drug program");
    case EEXIST:
      return QStringLiteral("datoteka že obstaja");
    case EXDEV:
      return QStringLiteral("datoteke ni mogoče premakniti na drug datotečni sistem");
    case ENOTEMPTY:
      return QStringLiteral("mapa ni prazna");
    case EBADF:
      return QStringLiteral("datoteka ni odprta za to dejanje");
    case ESTALE:
      return QStringLiteral("datoteka na omrežnem disku ni več veljavna");
    case EOVERFLOW:
      return QStringLiteral("datoteka je prevelika za ta sistem");
    case ENOLCK:
      return QStringLiteral("datoteke ni mogoče zakleniti");
    case ENOSYS:
    case ENOTSUP:
      return QStringLiteral("sistem ali datotečni sistem tega dejanja ne podpira");
    case ENOTCONN:
    case ESHUTDOWN:
      return QStringLiteral("povezava z omrežnim diskom je prekinjena");
    default:
      break;
  }
  // An error without Slovenian words of its own: its number, and the system's words for it.
  if (error_number != 0)
    return QStringLiteral("sistemska napaka %1 (%2)").arg(error_number).arg(system_words);
  return system_words;
}

}  // namespace orx::ui
