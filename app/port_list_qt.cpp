// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QSerialPortInfo>

#include "app/port_list.h"

namespace orx::app {

QList<PortEntry> PresentPorts(const QString& by_id_folder) {
  QList<PortEntry> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    // On Windows the location is \\.\COMn; the user knows the port as COMn.
    const QString name =
        info.systemLocation().startsWith(u'/') ? info.systemLocation() : info.portName();
    ports.append({name, info.description(), info.manufacturer(), info.serialNumber(),
                  StableNameOf(info.systemLocation(), by_id_folder)});
  }
  return ports;
}

}  // namespace orx::app
