// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "link/module1.h"
#include "receiver/band.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"

namespace orx::receiver {

// The receiver as the user knows it: a band, a frequency within it, sixteen presets with their
// notes and the one selected, all kept in pll.ini; and the synthesizer that every change of
// frequency reaches. The window and the service are faces over it and add no rule of their own.
class Receiver : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPresetCount = settings::kPresetCount;
  // What a first run with no pll.ini starts on.
  static constexpr Band kDesignBand{0, 24000};
  static constexpr int kDesignFrequency = 2000;

  // Where pll.ini lives, and the folder to make for it at the first write (empty when the
  // file's folder is not ours to make).
  struct Storage {
    QString settings_file;
    QString folder_to_make;
  };

  enum class Recall { kTuned, kEmpty, kNotAFrequency, kOutsideBand };

  Receiver(link::Module1& link, Storage storage, QObject* parent = nullptr);

  // Start-up: the state from the file as read (nothing is ever written back after a file that
  // could not be read), then the port, then the two words that program the synthesizer.
  void Load(const settings::basIniFile::IniFile& file);
  bool OpenPort(const QString& port_name);
  const link::OpenResult& LastOpen() const { return link_.LastOpen(); }
  // True when both words reached the synthesizer.
  bool SendStartWords();
  // From here on nothing more reaches the synthesizer.
  void Close();

  const Band& CurrentBand() const { return band_; }
  int Frequency() const { return frequency_; }
  // The frequency as shown: a recalled preset shows exactly as stored ("03500").
  const QString& FrequencyText() const { return frequency_text_; }
  int Selected() const { return selected_; }  // 0 while no preset is selected
  const QString& Note(int n) const { return notes_.at(n - 1); }
  const QString& SettingsFile() const { return storage_.settings_file; }
  bool SettingsUnread() const { return settings_unread_; }
  // Whether the last word failed to reach the synthesizer: no open port, or a line the port
  // refused while it was sent.
  bool LastWordFailed() const { return last_word_failed_; }

  // The same frequency again sends nothing; false when the word did not reach the synthesizer.
  bool TuneTo(int kilohertz);
  // Selects preset n and tunes to its stored frequency, read from the file as it is now; a
  // preset that cannot be applied leaves the tuning as it is.
  Recall RecallPreset(int n);
  // The frequency shown goes into preset n with its note.
  settings::basIniFile::IniWrite StorePreset(int n, const QString& note);

  // The limits to offer for editing: as stored, or the limits in force where none are stored.
  std::pair<QString, QString> BandLimitsToEdit() const;
  static bool ValidBandLimits(const QString& lowest, const QString& highest);
  // Saves valid limits; the band then comes back by way of the file, so that it is what the file
  // holds, and a frequency it excludes is retuned.
  settings::basIniFile::IniWrite SaveBandLimits(const QString& lowest, const QString& highest);

  // The keys "Izhod" writes: the selection, the band limits and the notes. Limits being edited
  // are saved when they are valid; otherwise each stored limit as it stands, or the limit in
  // force where it does not convert.
  std::vector<settings::KeyValue> ExitKeys(
      const std::optional<std::pair<QString, QString>>& edited_limits) const;
  // One replacement: the file holds all of them or none.
  settings::basIniFile::IniWrite SaveOnExit(
      const std::optional<std::pair<QString, QString>>& edited_limits);

 signals:
  void BandChanged();
  // A new frequency, told before its word goes out so that a face can show it first.
  void FrequencyChanged();
  // The same frequency, now shown as a recalled preset has it.
  void FrequencyTextChanged();
  void SelectionChanged();
  void NoteChanged(int n);
  // The port opened but refuses a line, so it cannot program the synthesizer; told once.
  void LinesRefused();

 private:
  QString Read(const QString& section, const QString& key,
               const QString& missing = QString()) const;
  settings::basIniFile::IniWrite Write(const std::vector<settings::KeyValue>& values);
  void Select(int n);
  // Applies "min" and "max" from the file, the lower one first; a reversed pair is never applied.
  void ApplyStoredBandLimits();
  void SetLowest(int limit);
  void SetHighest(int limit);
  void KeepInBand();
  bool SendWord(int32_t word);
  QString StoredLimitOr(const QString& key, int in_force) const;

  link::Module1& link_;
  Storage storage_;
  Band band_ = kDesignBand;
  int frequency_ = kDesignFrequency;
  QString frequency_text_ = QString::number(kDesignFrequency);
  int selected_ = 0;
  std::array<QString, kPresetCount> notes_;
  // The file as start-up read it, once, for the load's many keys.
  const settings::IniDocument* loading_ = nullptr;
  bool settings_unread_ = false;
  bool last_word_failed_ = false;
  bool lines_refused_told_ = false;
  bool closed_ = false;
};

}  // namespace orx::receiver
