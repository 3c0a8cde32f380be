#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orx::settings {

enum class Encoding { kWindows1250, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding of a whole pll.ini without its byte-order mark. A mark decides; otherwise the
// file is Windows-1250, the Windows program's code page, unless it is valid UTF-8 as a whole,
// holds at least one character beyond ASCII, and every such character is one that a note in
// UTF-8 holds (Central European letters, punctuation, symbols). Windows-1250 text that happens
// to be valid UTF-8 ("ČŠ", "Đš", "čšž") decodes to other scripts, which no note contains. The
// program itself marks every UTF-8 file it writes, so it never depends on this guess.
Encoding DetectEncoding(QByteArrayView bytes_without_mark);
bool IsPlausibleUtf8Text(QByteArrayView bytes);

// One line's bytes in the given encoding, and back. Encode gives nothing when a character does
// not fit the encoding.
QString DecodeText(QByteArrayView bytes, Encoding encoding);
std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding);

// Decodes one line the way a whole file of it would be read.
QString DecodeLine(QByteArrayView bytes);

}  // namespace orx::settings
