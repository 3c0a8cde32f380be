// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiet_teller.h"

#include <utility>

namespace orx::remote {

namespace {

// A line may quote what a stranger sent (a forged Host, say): its control characters must not
// reach the terminal or split the journal's line.
QString Harmless(QString text) {
  for (QChar& c : text) {
    if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) c = u'?';
  }
  return text;
}

}  // namespace

QuietTeller::QuietTeller(Tell tell, Now now) : tell_(std::move(tell)), now_(std::move(now)) {}

void QuietTeller::Say(const QString& key, const QString& text) {
  if (tell_ && Due(key)) tell_(Harmless(text));
}

bool QuietTeller::Due(const QString& key) {
  const Time now = now_();
  const auto told = told_.find(key);
  if (told != told_.end()) {
    if (now - told->second < kQuietTime) return false;
    told->second = now;
    return true;
  }
  if (told_.size() >= kRememberedKeys) {
    std::erase_if(told_, [now](const auto& entry) { return now - entry.second >= kQuietTime; });
    if (told_.size() >= kRememberedKeys) return false;
  }
  told_.emplace(key, now);
  return true;
}

}  // namespace orx::remote
