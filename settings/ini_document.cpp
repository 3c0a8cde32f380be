#include "ini_document.h"

#include "text_decoding.h"

namespace orx::settings {

namespace {

constexpr char kCommentStart = ';';
constexpr char kSectionOpen = '[';
constexpr char kSectionClose = ']';
constexpr char kAssignment = '=';
constexpr char16_t kDoubleQuote = u'"';
constexpr char16_t kSingleQuote = u'\'';

bool IsQuote(QChar c) {
  return c == kDoubleQuote || c == kSingleQuote;
}

bool HasLineBreak(const QString& text) {
  return text.contains(u'\n') || text.contains(u'\r');
}

// A value wrapped in a matching pair of quotes loses exactly that pair.
QString Unquoted(const QString& value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    return value.mid(1, value.size() - 2);
  }
  return value;
}

// Quotes a value that reading would otherwise change: trimmed spaces or a stripped quote pair.
QString Encoded(const QString& value) {
  if (value.isEmpty()) return value;
  const bool needs_quotes = value.front().isSpace() || value.back().isSpace() ||
                            IsQuote(value.front()) || IsQuote(value.back());
  return needs_quotes ? QString(kDoubleQuote) + value + QString(kDoubleQuote) : value;
}

bool SameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument::IniDocument(QByteArray bytes) : bytes_(std::move(bytes)) {
  qsizetype begin = 0;
  while (begin < bytes_.size()) {
    Line line;
    line.begin = begin;
    qsizetype newline = bytes_.indexOf('\n', begin);
    line.next = newline < 0 ? bytes_.size() : newline + 1;
    line.end = newline < 0 ? bytes_.size() : newline;
    line.terminated = newline >= 0;
    if (line.end > line.begin && bytes_[line.end - 1] == '\r') --line.end;
    begin = line.next;

    const QString text =
        DecodeLine(QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin)).trimmed();
    if (text.startsWith(kSectionOpen)) {
      const qsizetype close = text.indexOf(kSectionClose);
      if (close > 0) {
        line.kind = Kind::kSection;
        line.name = text.mid(1, close - 1).trimmed();
      }
    } else if (!text.startsWith(kCommentStart)) {
      const qsizetype assignment = text.indexOf(kAssignment);
      if (assignment > 0) {
        line.name = text.left(assignment).trimmed();
        line.value = Unquoted(text.mid(assignment + 1).trimmed());
        if (!line.name.isEmpty()) line.kind = Kind::kKey;
      }
    }
    lines_.push_back(std::move(line));
  }
}

IniDocument::Place IniDocument::Find(const QString& section, const QString& key) const {
  Place place;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kSection) {
      if (place.section) break;  // the first matching section is the one
      if (SameName(line.name, section)) place.section = place.last_in_section = i;
      continue;
    }
    if (!place.section) continue;
    if (line.end > line.begin) place.last_in_section = i;
    if (line.kind == Kind::kKey && !place.key && SameName(line.name, key)) place.key = i;
  }
  return place;
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
  const Place place = Find(section, key);
  if (!place.key) return std::nullopt;
  return lines_[*place.key].value;
}

QByteArray IniDocument::LineEnding() const {
  for (const Line& line : lines_) {
    if (line.terminated) return bytes_.mid(line.end, line.next - line.end);
  }
  return "\n";
}

QByteArray IniDocument::WithValue(const QString& section, const QString& key,
                                  const QString& value) const {
  const QByteArray eol = LineEnding();
  const QByteArray key_line = (key + QChar(kAssignment) + Encoded(value)).toUtf8();
  const Place place = Find(section, key);
  QByteArray result = bytes_;

  if (place.key) {
    const Line& line = lines_[*place.key];
    return result.replace(line.begin, line.end - line.begin, key_line);
  }
  if (place.section) {
    const Line& last = lines_[place.last_in_section];
    // A last line with no line ending of its own gets one before the new key.
    const QByteArray lead = last.terminated ? QByteArray() : eol;
    return result.insert(last.next, lead + key_line + eol);
  }
  if (!result.isEmpty() && !result.endsWith('\n')) result += eol;
  return result + (QString(kSectionOpen) + section + QChar(kSectionClose)).toUtf8() + eol +
         key_line + eol;
}

bool IniDocument::CanStoreValue(const QString& value) {
  return !HasLineBreak(value);
}

bool IniDocument::CanStoreSection(const QString& section) {
  return !section.isEmpty() && section.trimmed() == section && !HasLineBreak(section) &&
         !section.contains(kSectionClose);
}

bool IniDocument::CanStoreKey(const QString& key) {
  const QString trimmed = key.trimmed();
  return !trimmed.isEmpty() && trimmed == key && !HasLineBreak(key) && !key.contains(kAssignment) &&
         !key.startsWith(kSectionOpen) && !key.startsWith(kCommentStart);
}

}  // namespace orx::settings
