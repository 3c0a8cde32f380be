// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The system's reasons in the program's words: each errno a user meets has its own Slovenian
// text, and the rest keep the system's words.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cerrno>

#include "support/temp_file.h"
#include "ui/system_reason.h"

namespace orx::testing {
namespace {

// Every errno the settings file and the port meet, with the words a user reads for it.
const std::pair<int, const char*> kReasons[] = {
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
    {ENOTDIR, "del poti ni mapa"},
    {ENAMETOOLONG, "ime ali pot je predolga"},
    {ELOOP, "na poti je preveč simbolnih povezav (morda krog)"},
    {EMFILE, "odprtih je že preveč datotek"},
    {ENFILE, "odprtih je že preveč datotek"},
    {ENOMEM, "zmanjkalo je pomnilnika"},
    {EINVAL, "neveljavna zahteva ali napačna vrsta datoteke (ni navadna datoteka)"},
    {EAGAIN, "vir trenutno ni na voljo, poskusite znova"},
    {EINTR, "klic je prekinil signal"},
    {ETXTBSY, "datoteko ravno izvaja ali piše drug program"},
    {EEXIST, "datoteka že obstaja"},
    {EXDEV, "datoteke ni mogoče premakniti na drug datotečni sistem"},
    {ENOTEMPTY, "mapa ni prazna"},
    {EBADF, "datoteka ni odprta za to dejanje"},
    {ESTALE, "datoteka na omrežnem disku ni več veljavna"},
    {EOVERFLOW, "datoteka je prevelika za ta sistem"},
    {ENOLCK, "datoteke ni mogoče zakleniti"},
    {ENOSYS, "sistem ali datotečni sistem tega dejanja ne podpira"},
    {ENOTSUP, "sistem ali datotečni sistem tega dejanja ne podpira"},
    {ENOTCONN, "povezava z omrežnim diskom je prekinjena"},
    {ESHUTDOWN, "povezava z omrežnim diskom je prekinjena"},
};

TEST(SystemReason, EachErrorAUserMeetsHasItsOwnSlovenianWords) {
  for (const auto& [error, words] : kReasons)
    EXPECT_EQ(ui::SystemReason(error, "system words"), QString::fromUtf8(words)) << error;
  // Any other still says what it is.
  EXPECT_EQ(ui::SystemReason(EHWPOISON, "Memory page has hardware error"),
            QString("sistemska napaka %1 (Memory page has hardware error)").arg(EHWPOISON));
  EXPECT_EQ(ui::SystemReason(0, "words of a library"), "words of a library");
}

// As the user reads it: a save whose file could not be read first is refused, and the reason
// is the read's, in the program's words, whichever errno the system gave.
TEST(SystemReason, ASaveAfterAFailedReadSaysWhyInTheProgramsWords) {
  QTemporaryDir folder;
  const QString path = folder.filePath("pll.ini");
  WriteBytes(path, "[Freq]\nF1=7000\n");
  for (const auto& [error, words] : kReasons) {
    if (error == EINTR) continue;  // an interrupted read is read again, as it should be
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", ORX_FAILING_CALLS);
    environment.insert("ORX_FAIL", "read");
    environment.insert("ORX_FAIL_ERRNO", QString::number(error));
    environment.insert("LC_ALL", "C.UTF-8");  // the system's own words would be English
    // A sanitized child would otherwise insist on its own runtime coming first.
    environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
    child.setProcessEnvironment(environment);
    child.start(ORX_TEST_CHILD, {"write-ini", path, "Freq", "F2", "3500"});
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitCode(), 3) << error;
    // The system's words for a folder or a device: what the file is not.
    const QString reason =
        error == EISDIR || error == EINVAL
            ? QStringLiteral("to ni navadna datoteka")
            : QStringLiteral(
                  "datoteke ni bilo mogoče prebrati (%1), zato bi se druge vrednosti v "
                  "njej izgubile")
                  .arg(QString::fromUtf8(words));
    EXPECT_EQ(QString::fromUtf8(child.readAllStandardError()),
              QStringLiteral("Zapisovanje v datoteko pll.ini ni uspelo.\n%1: %2").arg(path, reason))
        << error;
  }
  EXPECT_EQ(ReadBytes(path), "[Freq]\nF1=7000\n");
}

}  // namespace
}  // namespace orx::testing
