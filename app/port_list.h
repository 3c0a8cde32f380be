// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

namespace orx::app {

// A serial port as the system lists it.
struct PortEntry {
  QString name;  // what to give --port
  QString description;
  QString manufacturer;
  QString serial_number;
  QString stable_name;  // the /dev/serial/by-id/ name, where one exists
};

// The ports present now (Qt SerialPort lists them; nothing is opened by the program).
QList<PortEntry> PresentPorts(const QString& by_id_folder = QStringLiteral("/dev/serial/by-id"));

// The link in `by_id_folder` that leads to `device`, or nothing.
QString StableNameOf(const QString& device, const QString& by_id_folder);

// One line a port, or one line saying there is none.
QString PortListText(const QList<PortEntry>& ports);

}  // namespace orx::app
