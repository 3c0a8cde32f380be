#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace orx::settings {

// The text of an initialization file, read the way the Windows profile functions read it:
// "[section]" lines open sections, "key=value" lines give values, names match in any letter
// case and the first match wins. Every other line is passed over and kept as it is.
// A line ends at LF, CR LF or a lone CR. A file with a byte-order mark is read, and written
// back, in its own Unicode form; any other file is read line by line (UTF-8, else
// Windows-1250) and keeps Windows-1250 for what it gains until it holds UTF-8 text.
class IniDocument {
 public:
  explicit IniDocument(QByteArray file_bytes);

  std::optional<QString> Value(const QString& section, const QString& key) const;

  // The file's bytes with the key set to the value. The key's own line is replaced in place, a
  // missing key goes to the end of its section and a missing section to the end of the file;
  // every other line keeps its bytes.
  QByteArray WithValue(const QString& section, const QString& key, const QString& value) const;

  // Whether a name or a value can be stored at all: this format has no way to hold a line break,
  // and a section name cannot hold "]" nor a key name "=", and names
  // cannot start or end with white space.
  static bool CanStoreValue(const QString& value);
  static bool CanStoreSection(const QString& section);
  static bool CanStoreKey(const QString& key);

 private:
  enum class Kind { kOther, kSection, kKey };

  struct Line {
    qsizetype begin = 0;      // first byte of the line
    qsizetype end = 0;        // one past the last byte before the line ending
    qsizetype next = 0;       // first byte of the following line
    bool terminated = false;  // ends in a line feed; the last line of a file may not
    Kind kind = Kind::kOther;
    QString name;
    QString value;
  };

  struct Place {
    std::optional<size_t> section;  // the section's header line
    std::optional<size_t> key;      // the key's line within it
    size_t last_in_section = 0;     // the last line of the section that is not blank
  };

  enum class Unicode { kNone, kUtf16LittleEndian, kUtf16BigEndian };

  Place Find(const QString& section, const QString& key) const;
  QByteArray LineEnding() const;
  QByteArray Encode(const QString& line) const;
  // The lines back in the file's own form, byte-order mark first.
  QByteArray FileBytes(const QByteArray& lines) const;

  QByteArray byte_order_mark_;
  Unicode unicode_ = Unicode::kNone;
  bool holds_utf8_text_ = false;
  QByteArray bytes_;  // the lines; UTF-8 for a file kept in UTF-16
  std::vector<Line> lines_;
};

}  // namespace orx::settings
