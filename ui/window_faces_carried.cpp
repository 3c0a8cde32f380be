// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

#include "window_faces.h"

namespace orx::ui {

namespace {

QString LoadCarriedFaces() {
  QString family;
  for (const char* file : {":/orx/fonts/ComicNeue-Regular.otf", ":/orx/fonts/ComicNeue-Bold.otf"}) {
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
    if (family.isEmpty() && !families.isEmpty()) family = families.first();
  }
  return family.isEmpty() ? QStringLiteral("Comic Sans MS") : family;
}

bool ShowsTheLanguage(const QString& family) {
  if (!QFontDatabase::isSmoothlyScalable(family)) return false;  // nor of a family not there
  // The face itself, not the faces Qt would borrow a missing letter from.
  const QRawFont face = QRawFont::fromFont(QFont(family));
  for (char16_t letter : {u'č', u'š', u'ž', u'Č', u'Š', u'Ž'}) {
    if (!face.supportsCharacter(QChar(letter))) return false;
  }
  return true;
}

QString PickSansSerif() {
  // Windows' stand-ins for MS Sans Serif, then the one Linux gives it under Wine.
  for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "DejaVu Sans"}) {
    if (ShowsTheLanguage(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return ComicFamily();
}

}  // namespace

QString ComicFamily() {
  static const QString family = LoadCarriedFaces();
  return family;
}

QString SansSerifFamily() {
  static const QString family = PickSansSerif();
  return family;
}

}  // namespace orx::ui
