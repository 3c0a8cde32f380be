#include "text_decoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace orx::settings {

namespace {
const char kWindows1250[] = "windows-1250";
// A line is decoded on its own, and a byte-order mark inside the file is text like any other
// (the file's own mark is taken off before its lines are read).
constexpr auto kLineDecoding =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

bool IsAscii(QByteArrayView bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
}  // namespace

QString DecodeLine(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, kLineDecoding);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder windows1250(kWindows1250);
  if (!windows1250.isValid()) return QString::fromLatin1(bytes);
  return windows1250(bytes);
}

bool IsUtf8Text(QByteArrayView bytes) {
  if (IsAscii(bytes)) return false;
  QStringDecoder utf8(QStringDecoder::Utf8, kLineDecoding);
  const QString decoded = utf8(bytes);  // the decoder works only when its result is taken
  return !utf8.hasError();
}

QByteArray EncodeLine(const QString& text, bool prefer_windows1250) {
  QByteArray utf8 = text.toUtf8();
  if (!prefer_windows1250 || IsAscii(utf8)) return utf8;
  QStringEncoder windows1250(kWindows1250, QStringEncoder::Flag::Stateless);
  if (!windows1250.isValid()) return utf8;
  QByteArray single_byte = windows1250(text);
  if (windows1250.hasError() || IsUtf8Text(single_byte)) return utf8;
  return single_byte;
}

}  // namespace orx::settings
