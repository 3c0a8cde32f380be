// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_decoding.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <unordered_map>

namespace orx::settings {

namespace {

// Windows-1250 from 0x80 up, as Windows maps it: the five bytes the code page leaves open
// (81, 83, 88, 90, 98) stand for the control characters of the same number.
constexpr std::array<char16_t, 128> kWindows1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  //
};

const std::unordered_map<char16_t, char>& Windows1250Bytes() {
  static const auto bytes = [] {
    std::unordered_map<char16_t, char> map;
    for (size_t i = 0; i < kWindows1250High.size(); ++i)
      map.emplace(kWindows1250High[i], static_cast<char>(0x80 + i));
    return map;
  }();
  return bytes;
}

// What a UTF-8 pll.ini holds beyond ASCII: the letters of Slovenian and its neighbours
// (Latin-1 and Latin Extended-A), punctuation, currency and letter-like symbols, a byte-order
// mark, and emoji. Windows-1250 text that happens to be valid UTF-8 decodes to something else:
// "ČŠ" (C8 8A) to Latin Extended-B, "Đš" to Cyrillic, "čšž" to a Chinese character, and the
// control characters of C1.
bool IsPlausible(char32_t c) {
  return (c >= 0xA0 && c <= 0x17F) || (c >= 0x2000 && c <= 0x214F) || c == 0xFEFF ||
         (c >= 0x1F000 && c <= 0x1FAFF);
}

}  // namespace

Utf8Reading ReadAsUtf8(QByteArrayView bytes) {
  bool beyond_ascii = false;
  bool plausible = true;
  for (qsizetype i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // The shortest form only, no surrogates, nothing past U+10FFFF: what a UTF-8 decoder takes.
    int length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
    } else {
      return Utf8Reading::kInvalid;
    }
    if (i + length > bytes.size()) return Utf8Reading::kInvalid;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return Utf8Reading::kInvalid;
      c = c << 6 | (next & 0x3F);
    }
    const char32_t shortest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
    if (c < shortest || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return Utf8Reading::kInvalid;
    plausible = plausible && IsPlausible(c);
    beyond_ascii = true;
    i += length;
  }
  if (!beyond_ascii) return Utf8Reading::kAscii;
  return plausible ? Utf8Reading::kPlausibleText : Utf8Reading::kOtherText;
}

Encoding DetectEncoding(QByteArrayView bytes) {
  return ReadAsUtf8(bytes) == Utf8Reading::kPlausibleText ? Encoding::kUtf8
                                                          : Encoding::kWindows1250;
}

QString DecodeText(QByteArrayView bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::kWindows1250: {
      QString text(bytes.size(), Qt::Uninitialized);
      char16_t* out = reinterpret_cast<char16_t*>(text.data());
      for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte < 0x80 ? char16_t(byte) : kWindows1250High[byte - 0x80];
      }
      return text;
    }
    case Encoding::kUtf8: {
      // A mark at the start of a line is text too; Qt's plain conversion would drop it.
      QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
      return utf8(bytes);
    }
    case Encoding::kUtf16LittleEndian:
    case Encoding::kUtf16BigEndian: {
      // A byte-order mark inside the file is text like any other.
      QStringDecoder utf16(
          encoding == Encoding::kUtf16LittleEndian ? QStringDecoder::Utf16LE
                                                   : QStringDecoder::Utf16BE,
          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
      return utf16(bytes);
    }
  }
  return {};
}

std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding) {
  switch (encoding) {
    case Encoding::kWindows1250: {
      QByteArray bytes;
      bytes.reserve(text.size());
      const auto& table = Windows1250Bytes();
      for (const QChar c : text) {
        if (c.unicode() < 0x80) {
          bytes += static_cast<char>(c.unicode());
          continue;
        }
        const auto found = table.find(c.unicode());
        if (found == table.end()) return std::nullopt;
        bytes += found->second;
      }
      return bytes;
    }
    case Encoding::kUtf8:
      return text.toUtf8();
    case Encoding::kUtf16LittleEndian:
    case Encoding::kUtf16BigEndian: {
      QStringEncoder utf16(encoding == Encoding::kUtf16LittleEndian ? QStringEncoder::Utf16LE
                                                                    : QStringEncoder::Utf16BE,
                           QStringEncoder::Flag::Stateless);
      return QByteArray(utf16(text));
    }
  }
  return std::nullopt;
}

QString DecodeLine(QByteArrayView bytes) {
  return DecodeText(bytes, DetectEncoding(bytes));
}

}  // namespace orx::settings
