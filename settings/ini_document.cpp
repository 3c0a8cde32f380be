#include "ini_document.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

const QByteArray kUtf8Mark("\xef\xbb\xbf");
const QByteArray kUtf16LittleEndianMark("\xff\xfe");
const QByteArray kUtf16BigEndianMark("\xfe\xff");

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}

}  // namespace

IniDocument::IniDocument(QByteArray file_bytes) {
  if (file_bytes.startsWith(kUtf16LittleEndianMark) || file_bytes.startsWith(kUtf16BigEndianMark)) {
    unicode_ = file_bytes.startsWith(kUtf16LittleEndianMark) ? Unicode::kUtf16LittleEndian
                                                             : Unicode::kUtf16BigEndian;
    byte_order_mark_ = file_bytes.left(kUtf16LittleEndianMark.size());
    // The mark is off already; a second one is text.
    QStringDecoder utf16(
        unicode_ == Unicode::kUtf16LittleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
        QStringDecoder::Flag::ConvertInitialBom);
    bytes_ = QString(utf16(QByteArrayView(file_bytes).sliced(byte_order_mark_.size()))).toUtf8();
    holds_utf8_text_ = true;
  } else if (file_bytes.startsWith(kUtf8Mark)) {
    byte_order_mark_ = kUtf8Mark;
    bytes_ = file_bytes.sliced(kUtf8Mark.size());
    holds_utf8_text_ = true;
  } else {
    bytes_ = std::move(file_bytes);
  }

  qsizetype begin = 0;
  while (begin < bytes_.size()) {
    Line line;
    line.begin = begin;
    qsizetype end = begin;
    while (end < bytes_.size() && !IsLineEnd(bytes_[end])) ++end;
    line.end = end;
    line.terminated = end < bytes_.size();
    const bool crlf = end + 1 < bytes_.size() && bytes_[end] == '\r' && bytes_[end + 1] == '\n';
    line.next = !line.terminated ? end : end + (crlf ? 2 : 1);
    begin = line.next;

    const QByteArrayView raw = QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin);
    if (IsUtf8Text(raw)) holds_utf8_text_ = true;
    const QString text = DecodeLine(raw).trimmed();
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

QByteArray IniDocument::Encode(const QString& line) const {
  return EncodeLine(line, !holds_utf8_text_);
}

QByteArray IniDocument::FileBytes(const QByteArray& lines) const {
  if (unicode_ == Unicode::kNone) return byte_order_mark_ + lines;
  QStringEncoder utf16(unicode_ == Unicode::kUtf16LittleEndian ? QStringEncoder::Utf16LE
                                                               : QStringEncoder::Utf16BE);
  return byte_order_mark_ + QByteArray(utf16(QString::fromUtf8(lines)));
}

QByteArray IniDocument::WithValue(const QString& section, const QString& key,
                                  const QString& value) const {
  const QByteArray eol = LineEnding();
  const QByteArray key_line = Encode(key + QChar(kAssignment) + Encoded(value));
  const Place place = Find(section, key);
  QByteArray result = bytes_;

  if (place.key) {
    const Line& line = lines_[*place.key];
    return FileBytes(result.replace(line.begin, line.end - line.begin, key_line));
  }
  if (place.section) {
    const Line& last = lines_[place.last_in_section];
    // A last line with no line ending of its own gets one before the new key.
    const QByteArray lead = last.terminated ? QByteArray() : eol;
    return FileBytes(result.insert(last.next, lead + key_line + eol));
  }
  if (!result.isEmpty() && !IsLineEnd(result.back())) result += eol;
  return FileBytes(result + Encode(QString(kSectionOpen) + section + QChar(kSectionClose)) + eol +
                   key_line + eol);
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
