// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ini_document.h"

#include <algorithm>

namespace orx::settings {

namespace {

constexpr char16_t kCommentStart = u';';
constexpr char16_t kSectionOpen = u'[';
constexpr char16_t kSectionClose = u']';
constexpr char16_t kAssignment = u'=';
constexpr char16_t kDoubleQuote = u'"';
constexpr char16_t kSingleQuote = u'\'';

const QByteArray kUtf8Mark("\xef\xbb\xbf");
const QByteArray kUtf16LittleEndianMark("\xff\xfe");
const QByteArray kUtf16BigEndianMark("\xfe\xff");

// The Windows profile functions trim spaces and tabs, and nothing else (a no-break space is
// part of the value).
bool IsBlank(QChar c) {
  return c == u' ' || c == u'\t';
}

QString Trimmed(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

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

// Quotes a value that reading would otherwise change: trimmed blanks or a stripped quote pair.
QString Encoded(const QString& value) {
  if (value.isEmpty()) return value;
  const bool needs_quotes = IsBlank(value.front()) || IsBlank(value.back()) ||
                            IsQuote(value.front()) || IsQuote(value.back());
  return needs_quotes ? QString(kDoubleQuote) + value + QString(kDoubleQuote) : value;
}

bool SameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsUtf16(Encoding encoding) {
  return encoding == Encoding::kUtf16LittleEndian || encoding == Encoding::kUtf16BigEndian;
}

// The code unit at `at`: a byte, or two in the file's order.
char16_t UnitAt(const QByteArray& bytes, qsizetype at, Encoding encoding) {
  const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  if (encoding == Encoding::kUtf16LittleEndian) return char16_t(byte(at) | byte(at + 1) << 8);
  if (encoding == Encoding::kUtf16BigEndian) return char16_t(byte(at) << 8 | byte(at + 1));
  return byte(at);
}

}  // namespace

IniDocument::IniDocument(QByteArray file_bytes, Reader reader) {
  qsizetype start = 0;
  if (file_bytes.startsWith(kUtf16LittleEndianMark)) {
    encoding_ = Encoding::kUtf16LittleEndian;
    byte_order_mark_ = kUtf16LittleEndianMark;
  } else if (file_bytes.startsWith(kUtf16BigEndianMark)) {
    encoding_ = Encoding::kUtf16BigEndian;
    byte_order_mark_ = kUtf16BigEndianMark;
  } else if (reader == Reader::kWindowsProgram) {
    encoding_ = Encoding::kWindows1250;  // a UTF-8 mark included: it is text of the first line
  } else if (file_bytes.startsWith(kUtf8Mark)) {
    encoding_ = Encoding::kUtf8;
    byte_order_mark_ = kUtf8Mark;
  } else {
    encoding_ = DetectEncoding(file_bytes);
  }
  start = byte_order_mark_.size();

  const qsizetype unit = IsUtf16(encoding_) ? 2 : 1;
  qsizetype usable = file_bytes.size();
  if ((usable - start) % unit != 0) {
    trailing_ = file_bytes.right(1);
    --usable;
  }
  qsizetype begin = start;
  while (begin < usable) {
    qsizetype end = begin;
    while (end < usable) {
      const char16_t c = UnitAt(file_bytes, end, encoding_);
      if (c == u'\n' || c == u'\r') break;
      end += unit;
    }
    qsizetype next = end;
    if (end < usable) {
      next += unit;
      if (UnitAt(file_bytes, end, encoding_) == u'\r' && next < usable &&
          UnitAt(file_bytes, next, encoding_) == u'\n') {
        next += unit;
      }
    }
    lines_.push_back(Parse(file_bytes.sliced(begin, end - begin),
                           file_bytes.sliced(end, next - end), encoding_));
    begin = next;
  }
}

IniDocument::Line IniDocument::Parse(QByteArray text, QByteArray ending, Encoding encoding) {
  Line line;
  line.text = std::move(text);
  line.ending = std::move(ending);
  line.encoding = encoding == Encoding::kUtf8 && ReadAsUtf8(line.text) == Utf8Reading::kInvalid
                      ? Encoding::kWindows1250
                      : encoding;
  const QString decoded = Trimmed(Decoded(line));
  if (decoded.startsWith(kSectionOpen)) {
    const qsizetype close = decoded.indexOf(kSectionClose);
    if (close > 0) {
      line.kind = Kind::kSection;
      line.name = Trimmed(decoded.mid(1, close - 1));
    }
  } else if (!decoded.startsWith(kCommentStart)) {
    const qsizetype assignment = decoded.indexOf(kAssignment);
    if (assignment > 0) {
      line.name = Trimmed(decoded.left(assignment));
      line.value = Unquoted(Trimmed(decoded.mid(assignment + 1)));
      if (!line.name.isEmpty()) line.kind = Kind::kKey;
    }
  }
  return line;
}

IniDocument::Place IniDocument::Find(const std::vector<Line>& lines, const QString& section,
                                     const QString& key) {
  Place place;
  for (size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.kind == Kind::kSection) {
      if (place.section) break;  // the first matching section is the one
      if (SameName(line.name, section)) place.section = place.last_in_section = i;
      continue;
    }
    if (!place.section) continue;
    if (!line.text.isEmpty()) place.last_in_section = i;
    if (line.kind == Kind::kKey && !place.key && SameName(line.name, key)) place.key = i;
  }
  return place;
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
  const Place place = Find(lines_, section, key);
  if (!place.key) return std::nullopt;
  return lines_[*place.key].value;
}

QByteArray IniDocument::LineEnding() const {
  for (const Line& line : lines_) {
    if (!line.ending.isEmpty()) return line.ending;
  }
  return *EncodeText(QStringLiteral("\n"), encoding_);
}

QByteArray IniDocument::WithValue(const QString& section, const QString& key,
                                  const QString& value) const {
  return WithValues({{section, key, value}});
}

QString IniDocument::Decoded(const Line& line) {
  return DecodeText(line.text, line.encoding);
}

QByteArray IniDocument::WithValues(const std::vector<KeyValue>& values) const {
  if (!IsUtf16(encoding_)) {
    const auto lines = Edited(values, encoding_);
    if (lines) {
      QByteArray bytes = Joined(*lines, encoding_);
      if (ReadsBackAsWritten(bytes, *lines, values)) return bytes;
    }
  }
  // UTF-16 holds every value, and both programs read it by its mark.
  const Encoding unicode = IsUtf16(encoding_) ? encoding_ : Encoding::kUtf16LittleEndian;
  return Joined(*Edited(values, unicode), unicode);
}

std::optional<std::vector<IniDocument::Line>> IniDocument::Edited(
    const std::vector<KeyValue>& values, Encoding encoding) const {
  std::vector<Line> lines = lines_;
  const auto encoded = [&](const QString& text) { return EncodeText(text, encoding); };
  // A line ending is ASCII, which every encoding holds.
  const QByteArray eol = *encoded(DecodeText(LineEnding(), encoding_));
  if (encoding != encoding_) {
    // Only to UTF-16 (see WithValues), which holds every line as it reads.
    for (Line& line : lines) {
      line.text = *encoded(Decoded(line));
      line.ending = *encoded(DecodeText(line.ending, encoding_));
      line.encoding = encoding;
    }
  }
  const auto make_line = [&](const QString& text, const QByteArray& ending) -> std::optional<Line> {
    const auto bytes = encoded(text);
    if (!bytes) return std::nullopt;
    return Parse(*bytes, ending, encoding);
  };

  for (const KeyValue& change : values) {
    const QString key_line = change.key + QChar(kAssignment) + Encoded(change.value);
    const Place place = Find(lines, change.section, change.key);
    if (place.key) {
      auto line = make_line(key_line, lines[*place.key].ending);
      if (!line) return std::nullopt;
      lines[*place.key] = std::move(*line);
    } else if (place.section) {
      auto line = make_line(key_line, eol);
      if (!line) return std::nullopt;
      Line& last = lines[place.last_in_section];
      if (last.ending.isEmpty()) last.ending = eol;  // a last line with no ending gets one
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.last_in_section) + 1,
                   std::move(*line));
    } else {
      auto header = make_line(QString(kSectionOpen) + change.section + QChar(kSectionClose), eol);
      auto line = make_line(key_line, eol);
      if (!header || !line) return std::nullopt;
      if (!lines.empty() && lines.back().ending.isEmpty()) lines.back().ending = eol;
      lines.push_back(std::move(*header));
      lines.push_back(std::move(*line));
    }
  }
  return lines;
}

QByteArray IniDocument::Joined(const std::vector<Line>& lines, Encoding encoding) const {
  // A file changes its encoding only to become UTF-16LE (see WithValues), and only a UTF-16 file,
  // which never changes its encoding, has an odd last byte to keep.
  QByteArray bytes = encoding == encoding_ ? byte_order_mark_ : kUtf16LittleEndianMark;
  for (const Line& line : lines) bytes += line.text + line.ending;
  return bytes + trailing_;
}

bool IniDocument::ReadsBackAsWritten(const QByteArray& bytes, const std::vector<Line>& lines,
                                     const std::vector<KeyValue>& values) {
  // This program: every line as it was meant, so that no other note changes its reading.
  const IniDocument ours(bytes);
  const auto reads_alike = [](const Line& read, const Line& meant) {
    return Decoded(read) == Decoded(meant);
  };
  if (!std::equal(ours.lines_.begin(), ours.lines_.end(), lines.begin(), lines.end(), reads_alike))
    return false;
  // Both programs: each key's value, the last one given for it.
  const IniDocument windows(bytes, Reader::kWindowsProgram);
  for (auto change = values.rbegin(); change != values.rend(); ++change) {
    const auto same_key = [&](const KeyValue& later) {
      return SameName(later.section, change->section) && SameName(later.key, change->key);
    };
    if (std::any_of(values.rbegin(), change, same_key)) continue;
    if (ours.Value(change->section, change->key) != change->value ||
        windows.Value(change->section, change->key) != change->value)
      return false;
  }
  return true;
}

bool IniDocument::CanStoreValue(const QString& value) {
  return !HasLineBreak(value);
}

bool IniDocument::CanStoreSection(const QString& section) {
  return !section.isEmpty() && Trimmed(section) == section && !HasLineBreak(section) &&
         !section.contains(kSectionClose);
}

bool IniDocument::CanStoreKey(const QString& key) {
  return !key.isEmpty() && Trimmed(key) == key && !HasLineBreak(key) &&
         !key.contains(kAssignment) && !key.startsWith(kSectionOpen) &&
         !key.startsWith(kCommentStart);
}

}  // namespace orx::settings
