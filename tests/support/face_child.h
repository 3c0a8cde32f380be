// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <vector>

#include "support/synthesizer.h"
#include "support/temp_file.h"

namespace orx::testing {

inline QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(variable);
  return environment;
}

// Starts a face of the program with its control port as a child on the recording link: "service"
// (no display) or "window-rigctld" (the window, offscreen). Gives the control port it announced,
// or 0. `control_port` is the address, and the allow list if any, of the child's usage.
inline quint16 StartFace(QProcess& child, const char* face, const QString& ini,
                         const QString& events, const QStringList& control_port = {}) {
  QProcessEnvironment environment = WithoutDisplay();
  environment.insert("QT_QPA_PLATFORM", "offscreen");  // the window's; the service needs none
  child.setProcessEnvironment(environment);
  child.start(ORX_TEST_CHILD, QStringList{face, ini, events} + control_port);
  if (!child.waitForReadyRead(10000)) {
    ADD_FAILURE() << child.readAllStandardError().toStdString();
    return 0;
  }
  const QByteArray announced = child.readLine().trimmed();
  EXPECT_TRUE(announced.startsWith("port ")) << announced.toStdString();
  return static_cast<quint16>(announced.mid(5).toUInt());
}

// Every line operation of a child's run, as it wrote them to `path` at its end.
inline std::vector<Event> EventsOfChild(const QString& path) {
  using Operation = link::RecordingLineDevice::Operation;
  std::vector<Event> events;
  for (const QByteArray& line : ReadBytes(path).split('\n')) {
    const auto fields = line.split(' ');
    if (fields.size() == 4)
      events.push_back({fields[0].toDouble(), static_cast<Operation>(fields[1].toInt()),
                        fields[2] == "1", fields[3] == "1"});
  }
  return events;
}

// Ends a face with a signal, as the system does at shutdown, and gives the words that reached
// the wire; its messages (standard error) go to `messages`.
inline std::vector<uint16_t> StopFace(QProcess& child, const QString& events, QString& messages) {
  kill(static_cast<pid_t>(child.processId()), SIGTERM);
  EXPECT_TRUE(child.waitForFinished(10000));
  EXPECT_EQ(child.exitCode(), 0);
  messages = QString::fromLocal8Bit(child.readAllStandardError());
  return WordsOf(ReceiveWords(EventsOfChild(events)));
}

}  // namespace orx::testing
