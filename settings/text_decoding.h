#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orx::settings {

// Decodes one line of pll.ini: as UTF-8 where the bytes are valid UTF-8, otherwise as
// Windows-1250, the code page in which the earlier Windows program wrote Slovenian notes.
QString DecodeLine(QByteArrayView bytes);

// Whether the bytes hold a character beyond ASCII and are valid UTF-8 as a whole.
bool IsUtf8Text(QByteArrayView bytes);

// Encodes one line so that DecodeLine gives it back. With `prefer_windows1250` a line goes out
// in Windows-1250, which the Windows program reads, whenever every character fits and the bytes
// cannot be mistaken for UTF-8; otherwise, and without the preference, it goes out as UTF-8.
QByteArray EncodeLine(const QString& text, bool prefer_windows1250);

}  // namespace orx::settings
