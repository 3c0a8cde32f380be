// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Windows without Qt SerialPort: the ports the system knows are the values of
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, each a driver's device ("\Device\Serial0") and the COM
// name it goes by. QSettings would take the backslashes of the value names for sub-keys.

#include <windows.h>

#include <algorithm>

#include "app/port_list.h"

namespace orx::app {

namespace {

// COM2 before COM10.
int PortNumber(const QString& name) {
  return name.mid(3).toInt();
}

}  // namespace

QList<PortEntry> PresentPorts(const QString&) {
  QList<PortEntry> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS)
    return ports;  // no port has ever been there
  for (DWORD index = 0;; ++index) {
    wchar_t device[256];
    wchar_t name[256];
    DWORD device_length = std::size(device);
    DWORD name_bytes = sizeof(name) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, index, device, &device_length, nullptr, &type,
                                      reinterpret_cast<BYTE*>(name), &name_bytes);
    if (result == ERROR_MORE_DATA) continue;  // no COM name is that long
    if (result != ERROR_SUCCESS) break;
    if (type != REG_SZ) continue;
    name[name_bytes / sizeof(wchar_t)] = L'\0';
    const QString port = QString::fromWCharArray(name).trimmed();
    if (port.isEmpty()) continue;
    ports.append({port, QString::fromWCharArray(device, int(device_length)), QString(), QString(),
                  QString()});
  }
  RegCloseKey(key);
  std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) {
    return PortNumber(a.name) != PortNumber(b.name) ? PortNumber(a.name) < PortNumber(b.name)
                                                    : a.name < b.name;
  });
  return ports;
}

}  // namespace orx::app
