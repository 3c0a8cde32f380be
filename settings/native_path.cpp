// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "native_path.h"

#include <QStringDecoder>
#include <string>
#include <type_traits>

namespace orx::settings {

namespace {

constexpr char16_t kEscapedByte = 0xDC00;

bool IsEscapedByte(char16_t c) {
  return c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF;
}

// How many bytes of valid UTF-8 begin at `at`; 0 when the byte there starts none.
int Utf8SequenceAt(const std::string& bytes, size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const int length = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
  if (length == 0 || at + length > bytes.size()) return 0;
  std::string sequence = bytes.substr(at, length);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(sequence.data(), length));
  return utf8.hasError() ? 0 : length;
}

}  // namespace

std::filesystem::path NativePath(const QString& path) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>) {
    return std::filesystem::path(path.toStdWString());
  } else {
    std::string bytes;
    qsizetype run = 0;  // start of the text not yet encoded
    for (qsizetype i = 0; i <= path.size(); ++i) {
      if (i < path.size() && !IsEscapedByte(path[i].unicode())) continue;
      bytes += path.mid(run, i - run).toStdString();
      if (i < path.size()) bytes += static_cast<char>(path[i].unicode() - kEscapedByte);
      run = i + 1;
    }
    return std::filesystem::path(bytes);
  }
}

QString FileNameFromArgument(const char* argument) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>) {
    return QString::fromLocal8Bit(argument);  // Windows hands the program its code page's text
  }
  const std::string bytes(argument);
  QString name;
  for (size_t at = 0; at < bytes.size();) {
    const int length = Utf8SequenceAt(bytes, at);
    if (length == 0) {
      name += QChar(kEscapedByte + static_cast<unsigned char>(bytes[at]));
      ++at;
      continue;
    }
    name += QString::fromUtf8(bytes.data() + at, length);
    at += length;
  }
  return name;
}

}  // namespace orx::settings
