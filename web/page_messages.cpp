// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "page_messages.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <limits>

#include "receiver/receiver.h"
#include "ui/form_texts.h"

namespace orx::web {

namespace {

ParsedMessage Refused(const QString& why) {
  return {std::nullopt, why};
}

std::optional<int> WholeNumber(const QJsonValue& value) {
  if (!value.isDouble()) return std::nullopt;
  const double number = value.toDouble();
  if (std::trunc(number) != number || std::abs(number) > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(number);
}

// A line end or another control character would end the line in pll.ini.
bool PlainText(const QString& text) {
  return std::none_of(text.begin(), text.end(),
                      [](QChar c) { return c.category() == QChar::Other_Control; });
}

std::optional<int> Preset(const QJsonObject& object) {
  const auto n = WholeNumber(object.value(QStringLiteral("preset")));
  if (!n || *n < 1 || *n > receiver::Receiver::kPresetCount) return std::nullopt;
  return n;
}

const QString kNoPreset = QStringLiteral("Spomin mora biti številka od 1 do 16.");

}  // namespace

ParsedMessage ParsePageMessage(const QString& message) {
  if (message.toUtf8().size() > kLongestMessage)
    return Refused(QStringLiteral("Sporočilo je predolgo."));
  // What does not parse is no document at all, let alone an object.
  const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8());
  if (!document.isObject())
    return Refused(QStringLiteral("Sporočilo ni ukaz, ki bi ga sprejemnik poznal."));
  const QJsonObject object = document.object();
  const QString action = object.value(QStringLiteral("do")).toString();

  if (action == QLatin1String("tune")) {
    const auto kilohertz = WholeNumber(object.value(QStringLiteral("kHz")));
    if (!kilohertz) return Refused(QStringLiteral("Frekvenca mora biti celo število kHz."));
    return {TuneTo{*kilohertz}, {}};
  }
  if (action == QLatin1String("recall")) {
    const auto n = Preset(object);
    if (!n) return Refused(kNoPreset);
    return {RecallPreset{*n}, {}};
  }
  if (action == QLatin1String("store")) {
    const auto n = Preset(object);
    if (!n) return Refused(kNoPreset);
    const QJsonValue note = object.value(QStringLiteral("note"));
    if (!note.isString() && !note.isUndefined())
      return Refused(QStringLiteral("Pripomba mora biti besedilo."));
    const QString text = note.toString();
    if (text.size() > kLongestNote)
      return Refused(QStringLiteral("Pripomba je predolga (največ %1 znakov).").arg(kLongestNote));
    if (!PlainText(text))
      return Refused(QStringLiteral("Pripomba ne sme vsebovati novih vrstic ali krmilnih znakov."));
    return {StorePreset{*n, text}, {}};
  }
  if (action == QLatin1String("limits")) {
    const QJsonValue lowest = object.value(QStringLiteral("lowest"));
    const QJsonValue highest = object.value(QStringLiteral("highest"));
    if (!lowest.isString() || !highest.isString() || !PlainText(lowest.toString()) ||
        !PlainText(highest.toString()) ||
        !receiver::Receiver::ValidBandLimits(lowest.toString(), highest.toString())) {
      return Refused(ui::texts::kBadBandLimits);
    }
    return {SaveBandLimits{lowest.toString(), highest.toString()}, {}};
  }
  return Refused(QStringLiteral("Sporočilo ni ukaz, ki bi ga sprejemnik poznal."));
}

}  // namespace orx::web
