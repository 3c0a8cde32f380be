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
// The whole file has one encoding (see FileEncoding), and it keeps it: only a value that the
// Windows code page cannot hold turns the file into UTF-8, every line of it.
class IniDocument {
 public:
  explicit IniDocument(QByteArray file_bytes);

  std::optional<QString> Value(const QString& section, const QString& key) const;
  Encoding FileEncoding() const { return encoding_; }

  // The file's bytes with the key set to the value. The key's own line is replaced in place, a
  // missing key goes to the end of its section and a missing section to the end of the file;
  // every other line keeps its bytes.
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
    QByteArray text;    // the line in the file's encoding, without its ending
    QByteArray ending;  // empty for a last line with none
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
  QByteArray LineEnding() const;
  // The file with the values set, every line in `encoding`.
  QByteArray Rendered(const std::vector<KeyValue>& values, Encoding encoding) const;

  QByteArray byte_order_mark_;
  Encoding encoding_ = Encoding::kWindows1250;
  QByteArray trailing_;  // an odd last byte of a UTF-16 file, kept as it came
  std::vector<Line> lines_;
};

}  // namespace orx::settings
