#pragma once

#include <QString>

namespace orx::ui::texts {

// What the window says to the user.
inline const char kComInterfaceError[] = "COM Interface Error";
inline const char kKilohertzSuffix[] = " kHz";
inline const QString kWriteFailed = QStringLiteral("Zapisovanje v datoteko pll.ini ni uspelo.");
inline const QString kBadBandLimits = QStringLiteral(
    "Najnižja in najvišja frekvenca morata biti celi števili med -32768 in 32767, najnižja pa ne "
    "sme biti večja od najvišje.");

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

}  // namespace orx::ui::texts
