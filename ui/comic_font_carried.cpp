// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "comic_font.h"

namespace orx::ui {

namespace {

QString LoadCarriedFaces() {
  QString family;
  for (const char* file : {":/orx/fonts/ComicNeue-Regular.otf", ":/orx/fonts/ComicNeue-Bold.otf"}) {
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file));
    if (family.isEmpty() && !families.isEmpty()) family = families.first();
  }
  // The window's other face, MS Sans Serif, is a bitmap font that newer Windows and Wine lack:
  // Windows' own sans serif stands in, or under Wine the one Linux gives it, not a serif.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                              QStringLiteral("DejaVu Sans")});
  return family.isEmpty() ? QStringLiteral("Comic Sans MS") : family;
}

}  // namespace

QString ComicFamily() {
  static const QString family = LoadCarriedFaces();
  return family;
}

}  // namespace orx::ui
