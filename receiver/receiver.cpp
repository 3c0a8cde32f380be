// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "receiver.h"

#include <QDir>

#include "link/word_frame.h"
#include "settings/value_conversions.h"

namespace orx::receiver {

using settings::basIniFile::IniWrite;

Receiver::Receiver(link::Module1& link, Storage storage, QObject* parent)
    : QObject(parent), link_(link), storage_(std::move(storage)) {}

QString Receiver::Read(const QString& section, const QString& key, const QString& missing) const {
  if (loading_) return loading_->Value(section, key).value_or(missing);
  return settings::basIniFile::ReadIni(storage_.settings_file, section, key, missing);
}

IniWrite Receiver::Write(const std::vector<settings::KeyValue>& values) {
  // A first run leaves nothing behind until it has something to keep.
  if (!storage_.folder_to_make.isEmpty()) QDir().mkpath(storage_.folder_to_make);
  return settings::basIniFile::WriteIniKeys(storage_.settings_file, values);
}

void Receiver::Load(const settings::basIniFile::IniFile& file) {
  using settings::ToInteger16;
  settings_unread_ = !file.readable;
  loading_ = &file.document;
  // A value that is missing, does not convert or does not fit leaves the state as it is, so that
  // a first run with no pll.ini opens on the design-time values.
  const auto first = ToInteger16(Read(settings::kFreqSection, settings::FreqKey(1)));
  if (first && band_.Holds(*first)) TuneTo(*first);
  ApplyStoredBandLimits();
  // A band stored above the design-time range still starts on its own "F1".
  if (first && band_.Holds(*first)) TuneTo(*first);

  for (int n = 1; n <= kPresetCount; ++n) {
    const auto selected =
        settings::ToBoolean(Read(settings::kSettingsSection, settings::SelectedKey(n)));
    if (selected && *selected) RecallPreset(n);
  }
  for (int n = 1; n <= kPresetCount; ++n) {
    notes_[n - 1] = Read(settings::kNotesSection, settings::NoteKey(n));
    emit NoteChanged(n);
  }
  loading_ = nullptr;
  // The start shows the frequency as a number, whatever the text of the preset it came from.
  frequency_text_ = QString::number(frequency_);
  emit FrequencyTextChanged();
}

bool Receiver::OpenPort(const QString& port_name) {
  return link_.OpenPort(port_name.toStdString()) != 0;
}

bool Receiver::SendStartWords() {
  const bool control = SendWord(link::kControlWord);
  return SendWord(frequency_ + link::kDividerOffset) && control;
}

void Receiver::Close() {
  if (closed_) return;
  closed_ = true;
  link_.ClosePort();
}

bool Receiver::SendWord(int32_t word) {
  if (closed_) return false;
  last_word_failed_ = !link::SendWordToSynthesizer(link_, word);
  if (link_.LineOperationFailed() && !lines_refused_told_) {
    lines_refused_told_ = true;
    emit LinesRefused();
  }
  return !last_word_failed_;
}

bool Receiver::TuneTo(int kilohertz) {
  kilohertz = band_.Clamp(kilohertz);
  if (kilohertz == frequency_) return true;  // nothing to send
  frequency_ = kilohertz;
  frequency_text_ = QString::number(kilohertz);
  emit FrequencyChanged();
  return SendWord(frequency_ + link::kDividerOffset);
}

void Receiver::Select(int n) {
  if (selected_ == n) return;
  selected_ = n;
  emit SelectionChanged();
}

Receiver::Recall Receiver::RecallPreset(int n) {
  Select(n);
  const QString stored = Read(settings::kFreqSection, settings::FreqKey(n));
  const auto frequency = settings::ToInteger16(stored);
  if (stored.trimmed().isEmpty()) return Recall::kEmpty;
  if (!frequency) return Recall::kNotAFrequency;
  if (!band_.Holds(*frequency)) return Recall::kOutsideBand;
  TuneTo(*frequency);
  frequency_text_ = stored;
  emit FrequencyTextChanged();
  return Recall::kTuned;
}

IniWrite Receiver::StorePreset(int n, const QString& note) {
  notes_[n - 1] = note;
  emit NoteChanged(n);
  return Write({{settings::kFreqSection, settings::FreqKey(n), frequency_text_}});
}

std::pair<QString, QString> Receiver::BandLimitsToEdit() const {
  return {Read(settings::kSettingsSection, settings::kMinKey, QString::number(band_.lowest)),
          Read(settings::kSettingsSection, settings::kMaxKey, QString::number(band_.highest))};
}

bool Receiver::ValidBandLimits(const QString& lowest, const QString& highest) {
  const auto low = settings::ToWholeInteger16(lowest);
  const auto high = settings::ToWholeInteger16(highest);
  return low && high && *low <= *high;
}

IniWrite Receiver::SaveBandLimits(const QString& lowest, const QString& highest) {
  auto written = Write({{settings::kSettingsSection, settings::kMinKey, lowest}});
  const auto highest_written = Write({{settings::kSettingsSection, settings::kMaxKey, highest}});
  if (written) written = highest_written;  // the first failure is the one to explain
  ApplyStoredBandLimits();
  return written;
}

void Receiver::ApplyStoredBandLimits() {
  const auto lowest = settings::ToInteger16(Read(settings::kSettingsSection, settings::kMinKey));
  const auto highest = settings::ToInteger16(Read(settings::kSettingsSection, settings::kMaxKey));
  if (lowest && highest && *lowest > *highest) return;
  // Lower limit first; a limit that excludes the frequency moves it, and that retunes.
  if (lowest && (highest || *lowest <= band_.highest)) SetLowest(*lowest);
  if (highest && *highest >= band_.lowest) SetHighest(*highest);
}

void Receiver::SetLowest(int limit) {
  band_.SetLowest(limit);
  emit BandChanged();
  KeepInBand();
}

void Receiver::SetHighest(int limit) {
  band_.SetHighest(limit);
  emit BandChanged();
  KeepInBand();
}

void Receiver::KeepInBand() {
  if (!band_.Holds(frequency_)) TuneTo(band_.Clamp(frequency_));
}

std::vector<settings::KeyValue> Receiver::ExitKeys(
    const std::optional<std::pair<QString, QString>>& edited_limits) const {
  std::vector<settings::KeyValue> values;
  for (int n = 1; n <= kPresetCount; ++n) {
    values.push_back({settings::kSettingsSection, settings::SelectedKey(n),
                      selected_ == n ? QStringLiteral("True") : QStringLiteral("False")});
  }
  auto limits = std::pair{StoredLimitOr(settings::kMinKey, band_.lowest),
                          StoredLimitOr(settings::kMaxKey, band_.highest)};
  if (edited_limits && ValidBandLimits(edited_limits->first, edited_limits->second)) {
    limits = *edited_limits;
  }
  values.push_back({settings::kSettingsSection, settings::kMinKey, limits.first});
  values.push_back({settings::kSettingsSection, settings::kMaxKey, limits.second});
  for (int n = 1; n <= kPresetCount; ++n) {
    values.push_back({settings::kNotesSection, settings::NoteKey(n), notes_[n - 1]});
  }
  return values;
}

IniWrite Receiver::SaveOnExit(const std::optional<std::pair<QString, QString>>& edited_limits) {
  return Write(ExitKeys(edited_limits));
}

QString Receiver::StoredLimitOr(const QString& key, int in_force) const {
  const QString stored = Read(settings::kSettingsSection, key);
  return settings::ToInteger16(stored) ? stored : QString::number(in_force);
}

}  // namespace orx::receiver
