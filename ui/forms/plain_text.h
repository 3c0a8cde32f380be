// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orx::forms {

// Qt guesses rich text in tool tips, so a note such as "<b>Val</b>" would show in bold. The
// escaped text in a paragraph that keeps white space shows exactly what was typed.
inline QString PlainTextToolTip(const QString& text) {
  if (text.isEmpty()) return text;
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

}  // namespace orx::forms
