// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable Qt strings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{';
  for (const QString& text : texts) *out << " \"" << text.toStdString() << '"';
  *out << " }";
}
inline void PrintTo(const QRect& r, std::ostream* out) {
  *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

// Lets a QString follow an assertion as its explanation: EXPECT_...() << text.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
  return out << text.toStdString();
}
