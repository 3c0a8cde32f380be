#pragma once

#include <QByteArrayView>
#include <QString>

namespace orx::settings {

// Decodes one line of pll.ini: as UTF-8 where the bytes are valid UTF-8, otherwise as
// Windows-1250, the code page in which the earlier Windows program wrote Slovenian notes.
QString DecodeLine(QByteArrayView bytes);

}  // namespace orx::settings
