// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The system's reasons in the program's words: each errno a user meets has its own Slovenian
// text, and the rest keep the system's words.
#include <gtest/gtest.h>

#include <cerrno>

#include "ui/system_reason.h"

namespace orx::testing {
namespace {

TEST(SystemReason, EachErrorAUserMeetsHasItsOwnSlovenianWords) {
  const std::pair<int, const char*> reasons[] = {
      {ENOTTY, "naprava ne sprejema ukazov za serijska vrata"},
      {EIO, "vhodno-izhodna napaka naprave"},
      {ENXIO, "naprava ni priključena"},
      {ENODEV, "take naprave ni"},
      {EACCES, "ni dovoljenja"},
      {EPERM, "dejanje ni dovoljeno"},
      {EBUSY, "naprava ali vir je zaseden"},
      {ENOENT, "datoteka ali naprava ne obstaja"},
      {EROFS, "datotečni sistem je le za branje"},
      {ENOSPC, "na disku ni več prostora"},
      {EDQUOT, "prostor, ki ga uporabnik sme zasesti na disku, je porabljen"},
      {EFBIG, "datoteka bi presegla največjo velikost, ki jo sistem dovoli"},
      {EISDIR, "to je mapa"},
      {ETIMEDOUT, "naprava se ni odzvala v predvidenem času"},
  };
  for (const auto& [error, words] : reasons)
    EXPECT_EQ(ui::SystemReason(error, "system words"), QString::fromUtf8(words)) << error;
  // The settings file and the port meet these too.
  for (const int error : {ENOTDIR, ENAMETOOLONG, ELOOP,   EMFILE, ENFILE,  ENOMEM,    EINVAL,
                          EAGAIN,  EINTR,        ETXTBSY, EEXIST, EXDEV,   ENOTEMPTY, EBADF,
                          ESTALE,  EOVERFLOW,    ENOLCK,  ENOSYS, ENOTSUP, ENOTCONN}) {
    const QString words = ui::SystemReason(error, "system words");
    EXPECT_FALSE(words.contains("system words")) << error;
    EXPECT_FALSE(words.isEmpty()) << error;
  }
  // Any other still says what it is.
  EXPECT_EQ(ui::SystemReason(EHWPOISON, "Memory page has hardware error"),
            QString("sistemska napaka %1 (Memory page has hardware error)").arg(EHWPOISON));
  EXPECT_EQ(ui::SystemReason(0, "words of a library"), "words of a library");
}

}  // namespace
}  // namespace orx::testing
