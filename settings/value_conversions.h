// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace orx::settings {

// A decimal number with an optional sign and fraction, spaces around it allowed, rounded to the
// nearest integer with halves to the even neighbour; nothing unless it fits 16 bits signed.
std::optional<int16_t> ToInteger16(const QString& text);

// A whole number with an optional sign, spaces around it allowed, that fits 16 bits signed: what
// a band limit must be.
std::optional<int16_t> ToWholeInteger16(const QString& text);

// "True" or "False" in any letter case, or a decimal number (false when zero, else true).
std::optional<bool> ToBoolean(const QString& text);

}  // namespace orx::settings
