// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace orx::web {

// The secret a page beyond this machine must present: 128 random bits, written as 22 letters,
// digits, "-" and "_", so that it fits a link unchanged. It lives in a file of its own, readable
// by its owner only, and stays the same across runs, so that a phone's bookmark keeps working.
class AccessKey {
 public:
  static constexpr int kRandomBytes = 16;

  struct Loaded {
    QByteArray key;  // empty when it could be neither read nor made
    QString error;   // why, in the user's words
  };
  // The key in `file`; a new one when the file is missing or `renew` asks for one. A file that
  // does not hold a key of this form is never overwritten: the user is told.
  static Loaded LoadOrCreate(const QString& file, bool renew);

  // Compares in a time that does not depend on where the two first differ.
  static bool Matches(QByteArrayView presented, QByteArrayView key);
  static bool WellFormed(QByteArrayView key);
};

}  // namespace orx::web
