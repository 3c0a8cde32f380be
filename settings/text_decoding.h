// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orx::settings {

enum class Encoding { kWindows1250, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding of a whole pll.ini that has no byte-order mark (a mark decides by itself). The
// file is Windows-1250, the Windows program's code page, unless it is valid UTF-8 as a whole,
// holds at least one character beyond ASCII, and every such character is one that a note in
// UTF-8 holds (Central European letters, punctuation, symbols). Windows-1250 text that happens
// to be valid UTF-8 ("ČŠ", "Đš", "čšž") decodes to other scripts, which no note contains. Only
// a hand-edited file is ever guessed UTF-8: the program itself writes an unmarked file only
// when it reads back in the encoding it was written in.
Encoding DetectEncoding(QByteArrayView bytes_without_mark);

// What a run of bytes is when read as UTF-8.
enum class Utf8Reading {
  kAscii,          // nothing beyond ASCII
  kPlausibleText,  // valid, and everything beyond ASCII is what a note holds
  kOtherText,      // valid, but with characters of other scripts or controls
  kInvalid,        // not UTF-8 at all, as a line the Windows program wrote
};
Utf8Reading ReadAsUtf8(QByteArrayView bytes);

// One line's bytes in the given encoding, and back. Encode gives nothing when a character does
// not fit the encoding.
QString DecodeText(QByteArrayView bytes, Encoding encoding);
std::optional<QByteArray> EncodeText(const QString& text, Encoding encoding);

// Decodes one line the way a whole file of it would be read.
QString DecodeLine(QByteArrayView bytes);

}  // namespace orx::settings
