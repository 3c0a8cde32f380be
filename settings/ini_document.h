// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "text_decoding.h"

namespace orx::settings {

struct KeyValue {
  QString section;
  QString key;
  QString value;
};

// The text of an initialization file, read the way the Windows profile functions read it:
// "[section]" lines open sections, "key=value" lines give values, names match in any letter
// case and the first match wins, and only spaces and tabs are trimmed around names and values.
// Every other line is passed over and kept as it is. A line ends at LF, CR LF or a lone CR.
//
// Encodings: a byte-order mark decides (UTF-16 either way, or UTF-8); a file without one is
// Windows-1250 unless it reads as UTF-8 text (DetectEncoding). In a UTF-8 file a line that is
// not UTF-8 at all is Windows-1250: the Windows program wrote it.
//
// Every write reads back as written, both here and in the Windows program, which reads a file
// with the Windows profile functions: they know the UTF-16 marks but take a UTF-8 mark for text
// of the first line, and read everything else in the code page. A write that the file's own
// encoding cannot carry that way (a character the code page lacks, Windows-1250 bytes that
// would read as UTF-8, a UTF-8 note, a key under a first-line section behind a UTF-8 mark)
// turns the file into Windows' own Unicode form, UTF-16LE with its mark, every line of it.
class IniDocument {
 public:
  // Who reads the file: this program, or the Windows program (see above).
  enum class Reader { kThisProgram, kWindowsProgram };
  explicit IniDocument(QByteArray file_bytes, Reader reader = Reader::kThisProgram);

  std::optional<QString> Value(const QString& section, const QString& key) const;
  Encoding FileEncoding() const { return encoding_; }

  // The file's bytes with the key set to the value. The key's own line is replaced in place, a
  // missing key goes to the end of its section and a missing section to the end of the file;
  // every other line keeps its bytes, unless the file has to change its encoding.
  QByteArray WithValue(const QString& section, const QString& key, const QString& value) const;
  // The same as setting the values one after the other, in one pass over the file.
  QByteArray WithValues(const std::vector<KeyValue>& values) const;

  // Whether a name or a value can be stored at all: this format has no way to hold a line break,
  // and a section name cannot hold "]" nor a key name "=", and names
  // cannot start or end with white space.
  static bool CanStoreValue(const QString& value);
  static bool CanStoreSection(const QString& section);
  static bool CanStoreKey(const QString& key);

 private:
  enum class Kind { kOther, kSection, kKey };

  struct Line {
    QByteArray text;                             // the line's bytes, without its ending
    QByteArray ending;                           // empty for a last line with none
    Encoding encoding = Encoding::kWindows1250;  // what the bytes are in
    Kind kind = Kind::kOther;
    QString name;
    QString value;
  };

  struct Place {
    std::optional<size_t> section;  // the section's header line
    std::optional<size_t> key;      // the key's line within it
    size_t last_in_section = 0;     // the last line of the section that is not blank
  };

  static Line Parse(QByteArray text, QByteArray ending, Encoding encoding);
  static Place Find(const std::vector<Line>& lines, const QString& section, const QString& key);
  static QString Decoded(const Line& line);
  QByteArray LineEnding() const;
  // The lines with the values set, in `encoding`: in the file's own, new lines only; in another,
  // every line. Nothing when a value does not fit that encoding.
  std::optional<std::vector<Line>> Edited(const std::vector<KeyValue>& values,
                                          Encoding encoding) const;
  QByteArray Joined(const std::vector<Line>& lines, Encoding encoding) const;
  // Whether both programs read the new file's lines and the written values as they were meant.
  static bool ReadsBackAsWritten(const QByteArray& bytes, const std::vector<Line>& lines,
                                 const std::vector<KeyValue>& values);

  QByteArray byte_order_mark_;
  Encoding encoding_ = Encoding::kWindows1250;
  QByteArray trailing_;  // an odd last byte of a UTF-16 file, kept as it came
  std::vector<Line> lines_;
};

}  // namespace orx::settings
