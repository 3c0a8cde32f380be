#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace orx::settings {

// The text of an initialization file, read the way the Windows profile functions read it:
// "[section]" lines open sections, "key=value" lines give values, names match in any letter
// case and the first match wins. Every other line is passed over and kept as it is.
class IniDocument {
 public:
  explicit IniDocument(QByteArray bytes);

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

  Place Find(const QString& section, const QString& key) const;
  QByteArray LineEnding() const;

  QByteArray bytes_;
  std::vector<Line> lines_;
};

}  // namespace orx::settings
