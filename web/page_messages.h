// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>
#include <variant>

namespace orx::web {

// What a page asks of the receiver, one JSON object a message:
//   {"do":"tune","kHz":3500}   {"do":"recall","preset":3}
//   {"do":"store","preset":3,"note":"Radio Slovenija"}
//   {"do":"limits","lowest":"0","highest":"24000"}
struct TuneTo {
  int kilohertz = 0;
};
struct RecallPreset {
  int preset = 0;
};
struct StorePreset {
  int preset = 0;
  QString note;
};
struct SaveBandLimits {
  QString lowest;
  QString highest;
};
using PageCommand = std::variant<TuneTo, RecallPreset, StorePreset, SaveBandLimits>;

inline constexpr qsizetype kLongestMessage = 1024;  // bytes of one message
inline constexpr qsizetype kLongestNote = 255;      // characters

struct ParsedMessage {
  std::optional<PageCommand> command;
  QString refusal;  // for no command: why, in the user's words
};
// Anything but a well-formed command is refused with a reason and changes nothing.
ParsedMessage ParsePageMessage(const QString& message);

}  // namespace orx::web
