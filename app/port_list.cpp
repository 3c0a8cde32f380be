// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "port_list.h"

#include <QDir>
#include <QFileInfo>

namespace orx::app {

QString StableNameOf(const QString& device, const QString& by_id_folder) {
  const QString canonical = QFileInfo(device).canonicalFilePath();
  const QDir folder(by_id_folder);
  for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files)) {
    if (!canonical.isEmpty() && link.canonicalFilePath() == canonical) return link.filePath();
  }
  return QString();
}

QString PortListText(const QList<PortEntry>& ports) {
  if (ports.isEmpty()) return QStringLiteral("Ni najdenih serijskih vrat.\n");
  QString text;
  for (const PortEntry& port : ports) {
    QStringList fields{port.name};
    for (const QString& detail : {port.description, port.manufacturer}) {
      if (!detail.isEmpty()) fields << detail;
    }
    if (!port.serial_number.isEmpty())
      fields << QStringLiteral("serijska št. %1").arg(port.serial_number);
    if (!port.stable_name.isEmpty()) fields << port.stable_name;
    text += fields.join(QStringLiteral("  ")) + u'\n';
  }
  return text;
}

}  // namespace orx::app
