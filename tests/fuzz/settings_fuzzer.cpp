// Arbitrary bytes as pll.ini, as keys and as values: the reader, the writer and the
// conversions must never crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>

#include "settings/ini_document.h"
#include "settings/text_decoding.h"
#include "settings/value_conversions.h"

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
        const orx::settings::IniDocument written(document.WithValue(section, key, first));
        if (written.Value(section, key) != first) __builtin_trap();  // must read back unchanged
      }
    }
  }
  (void)orx::settings::ToInteger16(first);
  (void)orx::settings::ToBoolean(first);
  return 0;
}
