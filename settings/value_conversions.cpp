// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "value_conversions.h"

#include <cmath>
#include <limits>

namespace orx::settings {

namespace {

bool IsAsciiDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// Sign, digits and an optional fraction: no exponent, no group separator, no other base.
std::optional<double> ToDecimal(const QString& text) {
  const QString trimmed = text.trimmed();
  qsizetype i = 0;
  if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) ++i;
  qsizetype digits = 0;
  bool point = false;
  for (; i < trimmed.size(); ++i) {
    if (IsAsciiDigit(trimmed[i])) {
      ++digits;
    } else if (trimmed[i] == u'.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  bool ok = false;
  const double value = trimmed.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int16_t> ToInteger16(const QString& text) {
  const auto value = ToDecimal(text);
  if (!value) return std::nullopt;
  const double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
  if (rounded < std::numeric_limits<int16_t>::min() ||
      rounded > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(rounded);
}

std::optional<int16_t> ToWholeInteger16(const QString& text) {
  if (text.contains(u'.')) return std::nullopt;
  return ToInteger16(text);
}

std::optional<bool> ToBoolean(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  const auto value = ToDecimal(trimmed);
  if (!value) return std::nullopt;
  return *value != 0;
}

}  // namespace orx::settings
