// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Arbitrary bytes as pll.ini, as keys and as values: the reader, the writer and the
// conversions must never crash, hang or read out of bounds, and every write must read back as
// written in this program and in the Windows program, without a UTF-8 mark of its making.
#include <cstddef>
#include <cstdint>

#include "settings/ini_document.h"
#include "settings/text_decoding.h"
#include "settings/value_conversions.h"

static bool StartsWithUtf8Mark(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xef && data[1] == 0xbb && data[2] == 0xbf;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const orx::settings::IniDocument document(bytes);

  // The first line doubles as a name and a value, so that names in the file get matched.
  const qsizetype newline = bytes.indexOf('\n');
  const QString first = orx::settings::DecodeLine(newline < 0 ? bytes : bytes.left(newline));
  for (const QString& section : {QStringLiteral("Freq"), first}) {
    for (const QString& key : {QStringLiteral("F1"), first}) {
      (void)document.Value(section, key);
      if (orx::settings::IniDocument::CanStoreValue(first) &&
          orx::settings::IniDocument::CanStoreSection(section) &&
          orx::settings::IniDocument::CanStoreKey(key)) {
        const QByteArray out = document.WithValue(section, key, first);
        const orx::settings::IniDocument written(out);
        if (written.Value(section, key) != first) __builtin_trap();  // must read back unchanged
        // The Windows program finds it too, where a UTF-8 mark is text and no mark means its
        // code page; and a UTF-8 mark is never added.
        using Reader = orx::settings::IniDocument::Reader;
        const orx::settings::IniDocument theirs(out, Reader::kWindowsProgram);
        if (theirs.Value(section, key) != first) __builtin_trap();
        if (out.startsWith("\xef\xbb\xbf") && !StartsWithUtf8Mark(data, size)) __builtin_trap();
      }
    }
  }
  (void)orx::settings::ToInteger16(first);
  (void)orx::settings::ToBoolean(first);
  return 0;
}
