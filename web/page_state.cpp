// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "page_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ui/form_texts.h"

namespace orx::web {

QByteArray PageState(const receiver::Receiver& receiver, bool stores) {
  QJsonArray notes;
  for (int n = 1; n <= receiver::Receiver::kPresetCount; ++n) notes.append(receiver.Note(n));
  const auto [lowest_limit, highest_limit] = receiver.BandLimitsToEdit();
  const QJsonObject state{
      {QStringLiteral("type"), QStringLiteral("state")},
      {QStringLiteral("frequency"), receiver.FrequencyText()},
      {QStringLiteral("kHz"), receiver.Frequency()},
      // The window's status line, as it reads while the pointer is on no preset.
      {QStringLiteral("status"),
       QStringLiteral(" ") + receiver.FrequencyText() + ui::texts::kKilohertzSuffix},
      {QStringLiteral("lowest"), receiver.CurrentBand().lowest},
      {QStringLiteral("highest"), receiver.CurrentBand().highest},
      {QStringLiteral("selected"), receiver.Selected()},
      {QStringLiteral("notes"), notes},
      {QStringLiteral("limits"), QJsonArray{lowest_limit, highest_limit}},
      {QStringLiteral("stores"), stores},
      {QStringLiteral("synthesizer"), !receiver.LastWordFailed()},
  };
  return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

QByteArray PageSaid(const QString& text, bool refused) {
  const QJsonObject said{{QStringLiteral("type"), QStringLiteral("said")},
                         {QStringLiteral("text"), text.trimmed()},
                         {QStringLiteral("refused"), refused}};
  return QJsonDocument(said).toJson(QJsonDocument::Compact);
}

}  // namespace orx::web
