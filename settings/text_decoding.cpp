#include "text_decoding.h"

#include <QStringDecoder>

namespace orx::settings {

QString DecodeLine(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder windows1250("windows-1250");
  if (!windows1250.isValid()) return QString::fromLatin1(bytes);
  return windows1250(bytes);
}

}  // namespace orx::settings
