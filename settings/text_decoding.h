#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orx::settings {

enum class Encoding { kWindows1250, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding of a whole pll.ini without its byte-order mark. A mark decides; otherwise the
// file is Windows-1250, the Windows program's code page, unless it is valid UTF-8 as a whole,
// holds at least one character beyond ASCII, and every such character is one that real text
// holds. Windows-1250 text that happens to be valid UTF-8 (an upper-case letter before a
// punctuation mark or a letter such as Š or ž, as in "ČŠ") decodes to control characters,
// phonetic signs, combining marks or right-to-left scripts, which no note contains.
Encoding DetectEncoding(QByteArrayView bytes_without_mark);
bool IsPlausibleUtf8Text(QByteArrayView bytes);

// One line's bytes in the given encoding, and back. Encode gives nothing when a character does
// not fit the encoding.
QString DecodeText(QByteArrayView bytes, Encoding encoding);
std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding);

// Decodes one line the way a whole file of it would be read.
QString DecodeLine(QByteArrayView bytes);

}  // namespace orx::settings
